#include "dictionary_tools/category_setup_dialog.h"

#include "app/session.h"
#include "common/ui_services.h"
#include "common/ui_text.h"
#include "common/wait_cursor.h"
#include "strings/category_strings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace quorvel::ui {

CategorySetupDialog::CategorySetupDialog(UiContext& context, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_from(new QComboBox(this))
    , m_to(new QComboBox(this))
{
    setObjectName(QStringLiteral("categorySetupDialog"));
    setWindowTitle(uiText(strings::kCategorySetupTitle));

    m_from->setObjectName(QStringLiteral("fromBox"));
    m_from->setEditable(true);
    m_from->setInsertPolicy(QComboBox::NoInsert);
    m_from->lineEdit()->setMaxLength(kCategoryNameMaxLength);
    m_from->setCompleter(nullptr); // a typed name is taken as typed
    m_from->setMaxVisibleItems(16);
    m_to->setObjectName(QStringLiteral("toBox"));
    m_to->setMaxVisibleItems(16);
    // Wide enough for the longest name a slot holds.
    const int nameWidth
        = fontMetrics().horizontalAdvance(QString(kCategoryNameMaxLength + 4, QLatin1Char('M'))) * 3
        / 4;
    m_from->setMinimumWidth(nameWidth);
    m_to->setMinimumWidth(nameWidth);

    auto* fromLabel = new QLabel(uiText(strings::kCategoryFromLabel), this);
    fromLabel->setBuddy(m_from);
    auto* toLabel = new QLabel(uiText(strings::kCategoryToLabel), this);
    toLabel->setBuddy(m_to);

    auto* source = new QGroupBox(uiText(strings::kCategoryFromHint), this);
    auto* sourceLayout = new QHBoxLayout(source);
    sourceLayout->addWidget(fromLabel);
    sourceLayout->addWidget(m_from, 1);
    auto* destination = new QGroupBox(uiText(strings::kCategoryDestination), this);
    auto* destinationLayout = new QHBoxLayout(destination);
    destinationLayout->addWidget(toLabel);
    destinationLayout->addWidget(m_to, 1);

    auto* hint = new QLabel(uiText(strings::kCategorySelectFirst), this);
    hint->setWordWrap(true);

    auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(uiText(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* newAction = button(strings::kCategoryNewButton, "newButton");
    QPushButton* renameAction = button(strings::kCategoryRenameButton, "renameButton");
    QPushButton* moveAction = button(strings::kCategoryMoveButton, "moveButton");
    QPushButton* combineAction = button(strings::kCategoryCombineButton, "combineButton");
    QPushButton* deleteAction = button(strings::kCategoryDeleteButton, "deleteButton");
    QPushButton* doneAction = button(strings::kCategoryDoneButton, "doneButton");
    QPushButton* helpAction = button(strings::kCategoryHelpButton, "helpButton");
    doneAction->setDefault(true);

    auto* actions = new QVBoxLayout;
    for (QPushButton* b : { newAction, renameAction, moveAction, combineAction, deleteAction })
        actions->addWidget(b);
    actions->addStretch(1);
    actions->addWidget(doneAction);
    actions->addWidget(helpAction);

    auto* boxes = new QVBoxLayout;
    boxes->addWidget(source);
    boxes->addWidget(destination);
    boxes->addWidget(hint);
    boxes->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(boxes, 1);
    layout->addLayout(actions);

    setTabOrder(m_from, m_to);
    QWidget* previous = m_to;
    for (QPushButton* b : { newAction, renameAction, moveAction, combineAction, deleteAction,
             doneAction, helpAction }) {
        setTabOrder(previous, b);
        previous = b;
    }

    refill();
    m_from->setCurrentIndex(1);
    m_to->setCurrentIndex(1);

    connect(newAction, &QPushButton::clicked, this, [this] { act(CategoryAction::New); });
    connect(renameAction, &QPushButton::clicked, this, [this] { act(CategoryAction::Rename); });
    connect(moveAction, &QPushButton::clicked, this, [this] { act(CategoryAction::Move); });
    connect(combineAction, &QPushButton::clicked, this, [this] { act(CategoryAction::Combine); });
    connect(deleteAction, &QPushButton::clicked, this, [this] { act(CategoryAction::Delete); });
    connect(doneAction, &QPushButton::clicked, this, &QDialog::accept);
    connect(helpAction, &QPushButton::clicked, this,
        [this] { m_context.help.showContext(kHelpContext); });
}

CategorySetupValues CategorySetupDialog::values() const
{
    CategorySetupValues values = categorySetupOpening(m_context.session.info);
    values.from = m_from->currentIndex();
    values.to = m_to->currentIndex();
    values.fromText = m_from->currentText().toStdString();
    return values;
}

void CategorySetupDialog::act(CategoryAction action)
{
    const CategorySetupValues asked = values();
    const CategoryActionResult result = applyCategoryAction(
        m_context.session, action, asked, m_context.prompter, waitCursorHook());
    if (result.namesChanged || result.wordsChanged)
        refill();
    // A refused name stays in the box to be corrected.
}

void CategorySetupDialog::refill()
{
    const int from = m_from->currentIndex();
    const int to = m_to->currentIndex();
    const QSignalBlocker blockFrom(m_from);
    const QSignalBlocker blockTo(m_to);
    m_from->clear();
    m_to->clear();
    for (int slot = 0; slot < kCategorySlots; ++slot) {
        const QString name = toQString(m_context.session.info.categoryName(slot));
        m_from->addItem(name);
        m_to->addItem(name);
    }
    if (from >= 0)
        m_from->setCurrentIndex(from);
    if (to >= 0)
        m_to->setCurrentIndex(to);
}

bool runCategorySetup(UiContext& context, QWidget* parent)
{
    CategorySetupDialog dialog(context, parent);
    bool changed = false;
    const auto before = context.session.info.bytes();
    dialog.exec();
    changed = context.session.info.bytes() != before;
    return changed;
}

} // namespace quorvel::ui
