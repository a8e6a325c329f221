#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace velatask {

// A memo as printed: wrapped at word boundaries (anywhere inside a word longer than the line),
// with its own line breaks kept.
namespace MemoText {

qreal height(const QString& text, const QFont& font, qreal width);
// Draws the lines that fit into `rect`.
void draw(QPainter& painter, const QString& text, const QFont& font, const QRectF& rect);

} // namespace MemoText
} // namespace velatask
