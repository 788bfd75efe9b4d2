#include "app/ElidingLabel.h"

#include <QPainter>
#include <QStringList>

void ElidingLabel::paintEvent(QPaintEvent*)
{
    const QRect area = contentsRect();
    const QFontMetrics metrics = fontMetrics();
    QStringList lines;
    for (QStringView line : QStringView(text()).tokenize(u'\n'))
        lines << metrics.elidedText(line.toString(), Qt::ElideRight, area.width());
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, lines.join(QLatin1Char('\n')));
}
