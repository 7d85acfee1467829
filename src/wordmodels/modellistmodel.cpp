#include "modellistmodel.h"

#include "cslowa.h"
#include "mediafiles.h"

#include <QColor>
#include <QPainter>

namespace {

// A phrase has no picture: a speech bubble, praise green and try-again orange.
QPixmap bubble(int size, bool praise) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x2E, 0x2A, 0x5A), 2));
    p.setBrush(praise ? QColor(0x8E, 0xD8, 0x7A) : QColor(0xFF, 0xC0, 0x70));
    const QRectF body(2, 4, size - 4, size * 0.62);
    p.drawRoundedRect(body, size * 0.18, size * 0.18);
    const QPointF tail[] = {{size * 0.3, body.bottom() - 1},
                            {size * 0.22, size - 4.0},
                            {size * 0.48, body.bottom() - 1}};
    p.drawPolygon(tail, 3);
    return pixmap;
}

} // namespace

ModelListModel::ModelListModel(ModelList& list, int iconSize, QObject* parent)
    : QAbstractListModel(parent), m_list(list), m_iconSize(iconSize) {}

int ModelListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_list.Count();
}

QVariant ModelListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_list.Count())
        return {};
    const ModelEntry& entry = m_list.At(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return entry.text + QLatin1Char('\n') +
               (m_list.HasOwn(index.row()) ? QStringLiteral("✔ własne nagranie")
                                           : QStringLiteral("nagranie programu"));
    case Qt::DecorationRole: {
        auto it = m_icons.constFind(entry.name);
        if (it == m_icons.constEnd()) {
            QPixmap icon;
            if (entry.isPhrase())
                icon = bubble(m_iconSize, entry.phraseKind == FeedbackPraise);
            else {
                const QImage picture = LoadOptionalJpeg(CSlowa::SmallPicturePath(entry.name));
                if (!picture.isNull())
                    icon = QPixmap::fromImage(picture.scaled(
                        m_iconSize, m_iconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
            }
            it = m_icons.insert(entry.name, icon);
        }
        return *it;
    }
    case Qt::ToolTipRole:
        return entry.name;
    default:
        return {};
    }
}

void ModelListModel::Reload() {
    beginResetModel();
    endResetModel();
}
