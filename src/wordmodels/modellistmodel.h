#pragma once

#include "modellist.h"

#include <QAbstractListModel>
#include <QHash>
#include <QPixmap>

// The word models' list for a list view: each word with its small picture (read when the row
// is first shown, so that opening the window does not read 287 pictures) and whether an own
// recording is there.
class ModelListModel : public QAbstractListModel {
    Q_OBJECT
public:
    ModelListModel(ModelList& list, int iconSize, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Says that the list under the model changed (a filter, a keep, a delete).
    void Reload();
    ModelList& List() { return m_list; }

private:
    ModelList& m_list;
    int m_iconSize;
    mutable QHash<QString, QPixmap> m_icons;
};
