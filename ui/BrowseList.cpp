#include "ui/BrowseList.h"

#include "core/Date.h"
#include "core/Time.h"
#include "store/KeyText.h"
#include "ui/DialogUnits.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QWheelEvent>

#include <cmath>

namespace velatask {
namespace {

constexpr int kWheelRows = 3;
constexpr int kWheelNotch = 120;
constexpr int kChangeIntervalMs = 1000;

using Move = std::function<int(BrowsePager&)>;

// What a navigation key does to the rows on screen; empty for other keys.
Move keyMove(int key) {
    switch (key) {
    case Qt::Key_Up:
        return [](BrowsePager& p) { return p.move(-1); };
    case Qt::Key_Down:
        return [](BrowsePager& p) { return p.move(1); };
    case Qt::Key_PageUp:
        return [](BrowsePager& p) { return p.page(-1); };
    case Qt::Key_PageDown:
        return [](BrowsePager& p) { return p.page(1); };
    case Qt::Key_Home:
        return &BrowsePager::home;
    case Qt::Key_End:
        return &BrowsePager::end;
    default:
        return {};
    }
}

// What a click on the scroll bar's arrows, page areas or ends does.
Move sliderMove(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        return [](BrowsePager& p) { return p.scroll(1); };
    case QAbstractSlider::SliderSingleStepSub:
        return [](BrowsePager& p) { return p.scroll(-1); };
    case QAbstractSlider::SliderPageStepAdd:
        return keyMove(Qt::Key_PageDown);
    case QAbstractSlider::SliderPageStepSub:
        return keyMove(Qt::Key_PageUp);
    case QAbstractSlider::SliderToMinimum:
        return &BrowsePager::home;
    case QAbstractSlider::SliderToMaximum:
        return &BrowsePager::end;
    default:
        return {};
    }
}

} // namespace

BrowseList::BrowseList(PageSource& source, const ListFormat& format, QWidget* parent)
    : QWidget(parent), m_source(source), m_pager(source), m_model(m_pager, format),
      m_delegate(m_model.format()) {
    m_view = new QTableView(this);
    m_view->setModel(&m_model);
    m_view->setItemDelegate(&m_delegate);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setShowGrid(false);
    m_view->setWordWrap(false);
    m_view->setTabKeyNavigation(false);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(std::max(fontMetrics().height() + 4, 20));
    m_view->horizontalHeader()->setHighlightSections(false);
    // The last column takes what the list has left, as wide as the window makes it.
    m_view->horizontalHeader()->setStretchLastSection(true);

    const DialogUnits units(fontMetrics());
    QVector<int> indents;
    for (int i = 0; i < format.size(); ++i) {
        const ListColumn& c = format.columns().at(i);
        m_view->horizontalHeader()->setSectionResizeMode(i, c.resizable ? QHeaderView::Interactive
                                                                        : QHeaderView::Fixed);
        m_view->setColumnWidth(i, columnPixels(c, units));
        indents.append(units.toPixelsX(c.indent.value_or(0)));
    }
    m_delegate.setIndents(indents);

    m_thumb = new QScrollBar(Qt::Vertical, this);
    m_thumb->setRange(0, kThumbSteps);
    m_thumb->setPageStep(kThumbSteps / 20);
    m_thumb->setFocusPolicy(Qt::NoFocus);
    m_thumb->setAccessibleName(QStringLiteral("Position in the list"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_thumb);
    setFocusProxy(m_view);

    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) {
                if (!m_syncing && index.isValid()) {
                    m_pager.setCurrent(index.row());
                    m_thumbLater.start();
                    emit currentChanged();
                }
            });
    connect(m_view, &QTableView::doubleClicked, this, [this] { emit changeRequested(); });
    connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QModelIndex index = m_view->indexAt(pos);
        if (index.isValid()) {
            m_view->setCurrentIndex(index);
        }
        emit recordMenuRequested(m_view->viewport()->mapToGlobal(pos));
    });
    connect(m_thumb, &QAbstractSlider::actionTriggered, this, &BrowseList::thumbAction);
    connect(m_thumb, &QAbstractSlider::sliderMoved, this, [this](int value) {
        act([value](BrowsePager& p) { return p.jump(double(value) / kThumbSteps); });
    });

    m_thumbLater.setSingleShot(true);
    m_thumbLater.setInterval(0);
    connect(&m_thumbLater, &QTimer::timeout, this, &BrowseList::updateThumb);
    connect(&m_changes, &QTimer::timeout, this, &BrowseList::lookForChanges);
    setChangeInterval(kChangeIntervalMs);
}

BrowseList::~BrowseList() = default;

void BrowseList::setChangeInterval(int ms) {
    m_changes.stop();
    if (ms > 0) {
        m_changes.start(ms);
    }
}

ListFormat BrowseList::layout() const {
    ListFormat format = m_model.format();
    const DialogUnits units(fontMetrics());
    // The last column fills what the window leaves; its stretched width kept here would run
    // past the edge of a narrower window, so it keeps its declared one.
    for (int i = 0; i + 1 < format.size(); ++i) {
        format.columns()[i].width = units.fromPixelsX(m_view->columnWidth(i));
    }
    return format;
}

void BrowseList::applyLayout(const ListFormat& saved) {
    const ListFormat format = m_model.format().withWidthsOf(saved);
    const DialogUnits units(fontMetrics());
    for (int i = 0; i < format.size(); ++i) {
        m_view->setColumnWidth(i, columnPixels(format.columns().at(i), units));
    }
}

// A column is never narrower than its header, so every header can be read, nor than the widest
// date or time its picture writes.
int BrowseList::columnPixels(const ListColumn& column, const DialogUnits& units) const {
    const int header = m_view->horizontalHeader()->fontMetrics().horizontalAdvance(column.header);
    const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin) + 4;
    const int widest =
        std::max(units.toPixelsX(column.width), column.header.isEmpty() ? 0 : header + margins);
    return std::max(widest, widestValue(column) + margins);
}

int BrowseList::widestValue(const ListColumn& column) const {
    const Picture picture(column.picture);
    const QFontMetrics metrics = m_view->fontMetrics();
    int widest = 0;
    if (picture.kind() == Picture::Kind::Date) {
        for (int month = 1; month <= 12; ++month) {
            const QString text = picture.format(Date::fromYmd(2000, month, 28));
            widest = std::max(widest, metrics.horizontalAdvance(text));
        }
    } else if (picture.kind() == Picture::Kind::Time) {
        for (int hour : {10, 22}) {
            const QString text = picture.format(Time::fromHms(hour, 58));
            widest = std::max(widest, metrics.horizontalAdvance(text));
        }
    }
    return widest;
}

void BrowseList::fitText(int column, const QString& widest) {
    const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin) + 4;
    const int pixels = m_view->fontMetrics().horizontalAdvance(widest) + margins;
    m_view->setColumnWidth(column, std::max(m_view->columnWidth(column), pixels));
}

int BrowseList::start() {
    m_pager.setCapacity(visibleRows());
    m_stamp = m_source.changeStamp();
    return act(&BrowsePager::home);
}

int BrowseList::act(const std::function<int(BrowsePager&)>& move) {
    return done(move(m_pager));
}

int BrowseList::reload() {
    m_stamp = m_source.changeStamp();
    return done(m_pager.reload());
}

int BrowseList::showRecord(std::int64_t position) {
    m_stamp = m_source.changeStamp();
    return done(m_pager.show(position));
}

int BrowseList::locate(const QString& typed) {
    const QVariant value = locatorValue(typed);
    if (!value.isValid()) {
        return 0;
    }
    return done(m_pager.locate(QVariantList{value}));
}

// Text for a text component; a number for a numeric one, when the characters make one.
QVariant BrowseList::locatorValue(const QString& typed) const {
    const PageSource::Row* sample = m_pager.currentRow();
    const QVariant* part = sample && m_locatorComponent < sample->key.size()
                               ? &sample->key.at(m_locatorComponent)
                               : nullptr;
    // A text the file holds in bytes the driver would change is still text.
    const bool numeric = part && part->typeId() != QMetaType::QString && !KeyText::holds(*part);
    if (!numeric) {
        return typed;
    }
    bool ok = false;
    const qlonglong n = typed.toLongLong(&ok);
    return ok ? QVariant(n) : QVariant();
}

int BrowseList::done(int code) {
    if (code != 0) {
        if (!m_failing && m_report) {
            m_failing = true; // one warning for a failing store, not one per row or per key
            m_report(code);
        }
        return code;
    }
    m_failing = false;
    m_model.rowsChanged();
    selectCurrent();
    m_thumbLater.start();
    emit currentChanged();
    return 0;
}

void BrowseList::selectCurrent() {
    m_syncing = true;
    const int row = m_pager.current();
    if (row >= 0) {
        const QModelIndex index = m_model.index(row, 0);
        m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
    } else {
        m_view->selectionModel()->clear();
    }
    m_syncing = false;
}

void BrowseList::updateThumb() {
    const PageSource::Row* row = m_pager.currentRow();
    m_thumb->setEnabled(row != nullptr && !m_pager.showsAll());
    const QSignalBlocker block(m_thumb);
    m_thumb->setValue(row ? int(std::lround(m_pager.fraction() * kThumbSteps)) : 0);
}

void BrowseList::thumbAction(int action) {
    const Move move = sliderMove(action);
    if (!move) {
        return; // dragging goes through sliderMoved
    }
    act(move);
    // The thumb shows where the highlighted record stands, not where the click put it.
    const PageSource::Row* row = m_pager.currentRow();
    m_thumb->setSliderPosition(row ? int(std::lround(m_source.fractionOf(*row) * kThumbSteps)) : 0);
}

bool BrowseList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        return keyPressed(static_cast<QKeyEvent*>(event));
    }
    if (watched == m_view->viewport()) {
        if (event->type() == QEvent::Resize) {
            viewportResized();
        } else if (event->type() == QEvent::Wheel) {
            m_wheelRemainder += static_cast<QWheelEvent*>(event)->angleDelta().y();
            const int notches = m_wheelRemainder / kWheelNotch;
            m_wheelRemainder -= notches * kWheelNotch;
            if (notches != 0) {
                act([notches](BrowsePager& p) { return p.scroll(-notches * kWheelRows); });
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool BrowseList::keyPressed(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    const bool typing = !event->text().isEmpty() && event->text().at(0).isPrint() &&
                        !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typing || key == Qt::Key_Backspace) {
        if (!m_lastTyped.isValid() ||
            m_lastTyped.elapsed() > QApplication::keyboardInputInterval()) {
            m_locator.clear();
        }
        m_lastTyped.start();
        if (typing) {
            m_locator += event->text();
        } else {
            m_locator.chop(1);
        }
        if (!m_locator.isEmpty()) {
            locate(m_locator);
        }
        return true;
    }
    m_locator.clear();
    if (const Move move = keyMove(key)) {
        act(move);
        return true;
    }
    switch (key) {
    case Qt::Key_Insert:
        emit insertPressed();
        return true;
    case Qt::Key_Delete:
        emit deletePressed();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods & Qt::ControlModifier) {
            emit changeRequested();
            return true;
        }
        return false;
    default:
        return false;
    }
}

int BrowseList::visibleRows() const {
    const int rowHeight = m_view->verticalHeader()->defaultSectionSize();
    return std::max(1, m_view->viewport()->height() / rowHeight);
}

void BrowseList::viewportResized() {
    const int capacity = visibleRows();
    if (capacity != m_pager.capacity()) {
        m_pager.setCapacity(capacity);
        if (!m_pager.isEmpty()) {
            done(m_pager.reload());
        }
    }
}

void BrowseList::lookForChanges() {
    if (m_source.changeStamp() != m_stamp) {
        reload();
    }
}

} // namespace velatask
