#pragma once

#include "progressrow.h"
#include "statrecord.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QTimeZone>
#include <vector>

// The runs of the progress table for a view: the records as read and the rows the filters
// let through, newest first. Texts are made when a cell is shown, so a long file opens fast.
// Marked cells (values the program could not have written) get a pink background and say why.
// With names, a last column says whose each run is. SortRole gives the value a column sorts by.
class ProgressTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int SortRole = Qt::UserRole;
    // The column of the names, when there are names.
    static constexpr int ChildColumn = ProgressRow::ColumnCount;

    explicit ProgressTableModel(QTimeZone zone, QObject* parent = nullptr);

    // names: one per record, or null for no column of names.
    void SetRuns(const std::vector<StatRecord>* records, std::vector<int> rows,
                 const QStringList* names = nullptr);
    const std::vector<int>& Rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QTimeZone m_zone;
    const std::vector<StatRecord>* m_records = nullptr;
    std::vector<int> m_rows;
    const QStringList* m_names = nullptr;
};
