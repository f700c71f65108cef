#include "documents/find_dialog.h"

#include "common/ui_text.h"
#include "strings/document_strings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel::ui {

FindDialog::FindDialog(bool replacing, QWidget* parent)
    : QDialog(parent)
    , m_find(new QLineEdit(this))
    , m_matchCase(new QCheckBox(uiText(strings::kMatchCase), this))
    , m_up(new QCheckBox(uiText(strings::kSearchUp), this))
    , m_findNext(new QPushButton(uiText(strings::kFindNextButton), this))
{
    setObjectName(replacing ? QStringLiteral("replaceDialog") : QStringLiteral("findDialog"));
    setWindowTitle(uiText(replacing ? strings::kReplaceCaption : strings::kFindCaption));
    m_find->setObjectName(QStringLiteral("findText"));
    m_matchCase->setObjectName(QStringLiteral("matchCase"));
    m_up->setObjectName(QStringLiteral("searchUp"));
    m_findNext->setObjectName(QStringLiteral("findNextButton"));
    m_findNext->setDefault(true);

    auto* fields = new QFormLayout;
    auto* findLabel = new QLabel(uiText(strings::kFindWhat), this);
    findLabel->setBuddy(m_find);
    fields->addRow(findLabel, m_find);
    if (replacing) {
        m_replace = new QLineEdit(this);
        m_replace->setObjectName(QStringLiteral("replaceText"));
        auto* replaceLabel = new QLabel(uiText(strings::kReplaceWith), this);
        replaceLabel->setBuddy(m_replace);
        fields->addRow(replaceLabel, m_replace);
    }
    auto* options = new QHBoxLayout;
    options->addWidget(m_matchCase);
    if (!replacing)
        options->addWidget(m_up);
    else
        m_up->hide();
    options->addStretch();

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    if (replacing) {
        m_replaceOne = new QPushButton(uiText(strings::kReplaceButton), this);
        m_replaceOne->setObjectName(QStringLiteral("replaceButton"));
        m_replaceAll = new QPushButton(uiText(strings::kReplaceAllButton), this);
        m_replaceAll->setObjectName(QStringLiteral("replaceAllButton"));
        buttons->addWidget(m_replaceOne);
        buttons->addWidget(m_replaceAll);
        connect(m_replaceOne, &QPushButton::clicked, this, &FindDialog::replaceRequested);
        connect(m_replaceAll, &QPushButton::clicked, this, &FindDialog::replaceAllRequested);
    }
    auto* close = new QPushButton(uiText(strings::kCloseButton), this);
    close->setObjectName(QStringLiteral("closeButton"));
    buttons->addWidget(close);
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options);
    left->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);

    connect(m_findNext, &QPushButton::clicked, this, &FindDialog::findNextRequested);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_find, &QLineEdit::textChanged, this, &FindDialog::updateButtons);
    updateButtons();
}

SearchRequest FindDialog::request() const
{
    return { m_find->text(), m_matchCase->isChecked(),
        m_up->isVisibleTo(this) && m_up->isChecked() };
}

QString FindDialog::replacement() const
{
    return m_replace ? m_replace->text() : QString();
}

void FindDialog::setSearchText(const QString& text)
{
    m_find->setText(text);
    m_find->selectAll();
}

void FindDialog::updateButtons()
{
    const bool any = !m_find->text().isEmpty();
    m_findNext->setEnabled(any);
    if (m_replaceOne)
        m_replaceOne->setEnabled(any);
    if (m_replaceAll)
        m_replaceAll->setEnabled(any);
}

} // namespace quorvel::ui
