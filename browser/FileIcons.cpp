#include "FileIcons.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>

#include "browser/ShellNamespace.h"

namespace {

const QFileIconProvider& Provider()
{
    static const QFileIconProvider provider;
    return provider;
}

QIcon Cached(QAbstractFileIconProvider::IconType type, const char* themeName)
{
    QIcon icon = QIcon::fromTheme(QString::fromLatin1(themeName));
    return icon.isNull() ? Provider().icon(type) : icon;
}

QPixmap OverlaidPixmap(const QIcon& base, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    base.paint(&painter, 0, 0, size, size);
    const qreal box = size * 0.45;
    const QRectF frame(0.5, size - box - 0.5, box, box);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(frame);
    // A curved arrow pointing up and right, as shortcut marks look.
    QPainterPath arrow;
    arrow.moveTo(frame.left() + box * 0.25, frame.bottom() - box * 0.15);
    arrow.quadTo(frame.left() + box * 0.25, frame.top() + box * 0.35, frame.right() - box * 0.25, frame.top() + box * 0.35);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, std::max(1.0, size / 16.0)));
    painter.drawPath(arrow);
    QPolygonF head;
    head << QPointF(frame.right() - box * 0.1, frame.top() + box * 0.35)
         << QPointF(frame.right() - box * 0.35, frame.top() + box * 0.12)
         << QPointF(frame.right() - box * 0.35, frame.top() + box * 0.58);
    painter.setBrush(Qt::black);
    painter.drawPolygon(head);
    return pixmap;
}

}  // namespace

QIcon FileIcon(const std::string& path)
{
    QIcon icon = Provider().icon(QFileInfo(NameToText(path)));
    return icon.isNull() ? Provider().icon(QAbstractFileIconProvider::File) : icon;
}

QIcon WithLinkOverlay(const QIcon& base)
{
    QIcon icon;
    for (const int size : {16, 32})
        icon.addPixmap(OverlaidPixmap(base, size));
    return icon;
}

QIcon FolderIcon(const ShellNamespace& space, const IdList& item)
{
    static const QIcon desktop = Cached(QAbstractFileIconProvider::Desktop, "user-desktop");
    static const QIcon home = Cached(QAbstractFileIconProvider::Folder, "user-home");
    static const QIcon drive = Cached(QAbstractFileIconProvider::Drive, "drive-harddisk");
    static const QIcon folder = Cached(QAbstractFileIconProvider::Folder, "folder");
    static const QIcon volume = Cached(QAbstractFileIconProvider::Drive, "drive-removable-media");
    if (item.IsEmpty())
        return desktop;
    if (space.IsHome(item))
        return home;
    if (space.IsFileSystemRoot(item))
        return drive;
    return item.Count() == 1 ? volume : folder;
}
