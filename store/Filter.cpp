#include "store/Filter.h"

#include "store/FilterNode.h"

namespace velatask {

namespace {

std::shared_ptr<Filter::Node> leaf(Filter::Node::Kind kind, const QString& field) {
    auto node = std::make_shared<Filter::Node>();
    node->kind = kind;
    node->field = field;
    return node;
}

} // namespace

Filter::Filter() = default;
Filter::~Filter() = default;
Filter::Filter(const Filter&) = default;
Filter& Filter::operator=(const Filter&) = default;
Filter::Filter(std::shared_ptr<const Node> node) : m_node(std::move(node)) {}

Filter Filter::compare(const QString& field, Op op, const QVariant& value, Fold fold) {
    auto node = leaf(Node::Kind::Compare, field);
    node->op = op;
    node->value = value;
    node->fold = fold;
    return Filter(node);
}

Filter Filter::between(const QString& field, const QVariant& low, const QVariant& high, Fold fold) {
    auto node = leaf(Node::Kind::Between, field);
    node->value = low;
    node->high = high;
    node->fold = fold;
    return Filter(node);
}

Filter Filter::text(const QString& field, Text how, const QString& value, Fold fold) {
    auto node = leaf(Node::Kind::Text, field);
    node->text = how;
    node->value = value;
    node->fold = fold;
    return Filter(node);
}

Filter Filter::datePart(const QString& field, DatePart part, int value) {
    auto node = leaf(Node::Kind::DatePart, field);
    node->part = part;
    node->value = value;
    return Filter(node);
}

Filter Filter::taggedIn(int set, std::int32_t user) {
    auto node = leaf(Node::Kind::Tagged, QString());
    node->set = set;
    node->user = user;
    return Filter(node);
}

Filter Filter::operator&&(const Filter& other) const {
    if (isEmpty() || other.isEmpty()) {
        return isEmpty() ? other : *this;
    }
    auto node = leaf(Node::Kind::And, QString());
    node->left = *this;
    node->right = other;
    return Filter(node);
}

Filter Filter::operator||(const Filter& other) const {
    if (isEmpty() || other.isEmpty()) {
        return Filter(); // one side holds for every record
    }
    auto node = leaf(Node::Kind::Or, QString());
    node->left = *this;
    node->right = other;
    return Filter(node);
}

Filter Filter::operator!() const {
    auto node = leaf(Node::Kind::Not, QString());
    node->left = *this;
    return Filter(node);
}

} // namespace velatask
