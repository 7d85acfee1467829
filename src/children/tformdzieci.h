#pragma once

#include "childroster.h"

#include <QDialog>
#include <functional>
#include <optional>

class QListWidget;
class QPushButton;

// The therapist's list of children: add (a name up to 40 characters and a picture), rename,
// change the picture, remove with all of the child's data after a confirmation. Standard
// widgets: this is the adult's window, not the child's.
class TFormDzieci : public QDialog {
    Q_OBJECT
public:
    // Asks for a name: title, label, text to start from; none when cancelled.
    using NameAsker =
        std::function<std::optional<QString>(const QString&, const QString&, const QString&)>;
    // Asks whether to go on; the text is the question.
    using Confirmer = std::function<bool(const QString&)>;
    // Asks for a picture, the current one marked: its number, 0 for none, -1 when cancelled.
    using PictureAsker = std::function<int(int)>;

    TFormDzieci(ChildRoster& roster, std::optional<qint64> current, QWidget* parent = nullptr);

    // The child practising now, as it is after the changes: none for the guest, also when the
    // child practising was removed.
    std::optional<qint64> CurrentId() const { return m_current; }

    void AddChild();
    void RenameChild();
    void RemoveChild();
    // The picture of the selected child: 0 for none.
    void SetPicture(int picture);

    QListWidget& List() { return *m_list; }
    void SetNameAsker(NameAsker asker) { m_askName = std::move(asker); }
    void SetConfirmer(Confirmer confirm) { m_confirm = std::move(confirm); }
    void SetPictureAsker(PictureAsker asker) { m_askPicture = std::move(asker); }

private:
    void fill(std::optional<qint64> select);
    std::optional<ChildRoster::Profile> selected() const;
    void problem();
    int choosePicture(int current);

    ChildRoster& m_roster;
    std::optional<qint64> m_current;
    std::vector<ChildRoster::Profile> m_children;
    QListWidget* m_list = nullptr;
    QPushButton* m_rename = nullptr;
    QPushButton* m_picture = nullptr;
    QPushButton* m_remove = nullptr;
    NameAsker m_askName;
    Confirmer m_confirm;
    PictureAsker m_askPicture;
};
