#include "tformdzieci.h"

#include "childpicture.h"
#include "practicelog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TFormDzieci::TFormDzieci(ChildRoster& roster, std::optional<qint64> current, QWidget* parent)
    : QDialog(parent), m_roster(roster), m_current(current) {
    setWindowTitle(QStringLiteral("Wiklotek Cz.I - Dzieci"));
    setModal(true);
    resize(520, 460);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Każde dziecko ma własne ustawienia, nagrania i wyniki. Dane sprzed "
                       "dodania pierwszego dziecka należą do profilu „Gość”."),
        this));
    layout->itemAt(0)->widget()->setProperty("wordWrap", true);
    auto* row = new QHBoxLayout;
    m_list = new QListWidget(this);
    m_list->setIconSize(QSize(48, 48));
    row->addWidget(m_list, 1);
    auto* buttons = new QVBoxLayout;
    auto* add = new QPushButton(QStringLiteral("Dodaj…"), this);
    m_rename = new QPushButton(QStringLiteral("Zmień imię…"), this);
    m_picture = new QPushButton(QStringLiteral("Obrazek…"), this);
    m_remove = new QPushButton(QStringLiteral("Usuń…"), this);
    for (QPushButton* button : {add, m_rename, m_picture, m_remove})
        buttons->addWidget(button);
    buttons->addStretch(1);
    row->addLayout(buttons);
    layout->addLayout(row, 1);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    close->button(QDialogButtonBox::Close)->setText(QStringLiteral("Zamknij"));
    layout->addWidget(close);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(add, &QPushButton::clicked, this, &TFormDzieci::AddChild);
    connect(m_rename, &QPushButton::clicked, this, &TFormDzieci::RenameChild);
    connect(m_remove, &QPushButton::clicked, this, &TFormDzieci::RemoveChild);
    connect(m_picture, &QPushButton::clicked, this, [this] {
        if (const auto child = selected()) {
            const int picture = m_askPicture(child->picture);
            if (picture >= 0)
                SetPicture(picture);
        }
    });
    connect(m_list, &QListWidget::currentRowChanged, this, [this] {
        const bool any = selected().has_value();
        m_rename->setEnabled(any);
        m_picture->setEnabled(any);
        m_remove->setEnabled(any);
    });
    m_askName = [this](const QString& title, const QString& label, const QString& text) {
        bool ok = false;
        const QString name =
            QInputDialog::getText(this, title, label, QLineEdit::Normal, text, &ok);
        return ok ? std::optional<QString>(name) : std::nullopt;
    };
    m_confirm = [this](const QString& question) {
        return QMessageBox::question(this, windowTitle(), question,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    m_askPicture = [this](int current) { return choosePicture(current); };
    fill(std::nullopt);
}

void TFormDzieci::fill(std::optional<qint64> select) {
    m_children.clear();
    for (const ChildRoster::Profile& profile : m_roster.Profiles())
        if (profile.id)
            m_children.push_back(profile);
    m_list->clear();
    int row = m_children.empty() ? -1 : 0;
    for (std::size_t i = 0; i < m_children.size(); ++i) {
        const ChildRoster::Profile& child = m_children[i];
        m_list->addItem(new QListWidgetItem(QIcon(ChildPicture::Pixmap(child, 48)), child.name));
        if (select && child.id == select)
            row = int(i);
    }
    m_list->setCurrentRow(row);
    const bool any = row >= 0;
    m_rename->setEnabled(any);
    m_picture->setEnabled(any);
    m_remove->setEnabled(any);
}

std::optional<ChildRoster::Profile> TFormDzieci::selected() const {
    const int row = m_list->currentRow();
    if (row < 0 || row >= int(m_children.size()))
        return std::nullopt;
    return m_children[std::size_t(row)];
}

void TFormDzieci::problem() {
    QMessageBox::warning(this, windowTitle(), m_roster.LastProblem());
}

void TFormDzieci::AddChild() {
    const QString label =
        QStringLiteral("Imię dziecka (najwyżej %1 znaków):").arg(PracticeLog::MaxNameLength);
    const std::optional<QString> name = m_askName(QStringLiteral("Nowe dziecko"), label, QString());
    if (!name)
        return;
    const std::optional<ChildRoster::Profile> child = m_roster.Add(*name);
    if (!child) {
        problem();
        return;
    }
    fill(child->id);
    const int picture = m_askPicture(0);
    if (picture > 0)
        SetPicture(picture);
}

void TFormDzieci::RenameChild() {
    const auto child = selected();
    if (!child)
        return;
    const std::optional<QString> name =
        m_askName(QStringLiteral("Zmień imię"), QStringLiteral("Nowe imię:"), child->name);
    if (!name || *name == child->name)
        return;
    if (!m_roster.Rename(*child->id, *name))
        problem();
    fill(child->id);
}

void TFormDzieci::RemoveChild() {
    const auto child = selected();
    if (!child)
        return;
    const QString question =
        QStringLiteral("Usunąć dziecko „%1” i wszystkie jego dane: ustawienia, nagrania, "
                       "statystyki i dziennik ćwiczeń?\n\nTego nie można cofnąć.")
            .arg(child->name);
    if (!m_confirm(question))
        return;
    if (!m_roster.Remove(*child->id))
        problem();
    if (m_current == child->id)
        m_current.reset();
    fill(std::nullopt);
}

void TFormDzieci::SetPicture(int picture) {
    const auto child = selected();
    if (!child)
        return;
    if (!m_roster.SetPicture(*child->id, picture))
        problem();
    fill(child->id);
}

int TFormDzieci::choosePicture(int current) {
    QDialog chooser(this);
    chooser.setWindowTitle(QStringLiteral("Wybierz obrazek"));
    auto* grid = new QGridLayout(&chooser);
    int chosen = -1;
    for (int picture = 0; picture <= ChildRoster::PictureCount; ++picture) {
        auto* button = new QToolButton(&chooser);
        button->setIcon(
            QIcon(ChildPicture::Pixmap({picture ? std::optional<qint64>(1) : std::nullopt,
                                        picture ? QString() : QStringLiteral("?"), picture},
                                       72)));
        button->setIconSize(QSize(72, 72));
        button->setCheckable(true);
        button->setChecked(picture == current);
        button->setToolTip(picture ? QString() : QStringLiteral("Bez obrazka"));
        connect(button, &QToolButton::clicked, &chooser, [&chosen, &chooser, picture] {
            chosen = picture;
            chooser.accept();
        });
        grid->addWidget(button, picture / 5, picture % 5);
    }
    chooser.exec();
    return chosen;
}
