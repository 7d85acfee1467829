#include "progresstablemodel.h"

#include "progressrow.h"

#include <QBrush>
#include <QColor>

ProgressTableModel::ProgressTableModel(QTimeZone zone, QObject* parent)
    : QAbstractTableModel(parent), m_zone(std::move(zone)) {}

void ProgressTableModel::SetRuns(const std::vector<StatRecord>* records, std::vector<int> rows,
                                 const QStringList* names) {
    beginResetModel();
    m_records = records;
    m_rows = records ? std::move(rows) : std::vector<int>();
    m_names = records ? names : nullptr;
    endResetModel();
}

int ProgressTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ProgressTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ProgressRow::ColumnCount + (m_names ? 1 : 0);
}

QVariant ProgressTableModel::data(const QModelIndex& index, int role) const {
    if (!m_records || !index.isValid() || index.row() >= rowCount())
        return {};
    const int at = m_rows[static_cast<std::size_t>(index.row())];
    const StatRecord& r = (*m_records)[static_cast<std::size_t>(at)];
    if (index.column() == ChildColumn)
        return role == Qt::DisplayRole || role == SortRole ? QVariant(m_names->value(at))
                                                           : QVariant();
    switch (role) {
    case SortRole:
        switch (index.column()) {
        case ProgressRow::Date:
            return qlonglong(r.start.toFileTime());
        case ProgressRow::Time:
            return r.duration;
        case ProgressRow::Correct:
            return r.correct;
        case ProgressRow::Wrong:
            return r.wrong;
        case ProgressRow::Hints:
            return r.hints;
        case ProgressRow::Accuracy:
            return ProgressRow::AccuracyOf(r.correct, r.wrong).value_or(-1.0);
        default:
            return ProgressRow::Text(r, index.column(), m_zone, ProgressRow::Style::Table);
        }
    case Qt::DisplayRole:
        return ProgressRow::Text(r, index.column(), m_zone, ProgressRow::Style::Table);
    case Qt::BackgroundRole:
        if (ProgressRow::IsMarked(r, index.column()))
            return QBrush(QColor(0xFF, 0xD6, 0xD6));
        return {};
    case Qt::ToolTipRole:
        if (ProgressRow::Flags(r) != 0)
            return ProgressRow::Text(r, ProgressRow::Notes, m_zone, ProgressRow::Style::Table);
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() >= ProgressRow::Time && index.column() <= ProgressRow::Accuracy)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ProgressTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section == ChildColumn ? QStringLiteral("Dziecko")
                                      : ProgressRow::Header(section, ProgressRow::Style::Table);
    return section + 1;
}
