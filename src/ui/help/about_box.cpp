#include "help/about_box.h"

#include "common/ui_text.h"
#include "help/about_info.h"
#include "icons/icons.h"
#include "strings/help_strings.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel::ui {

namespace {

QLabel* line(const std::string& content, const char* name, QWidget* parent)
{
    auto* label = new QLabel(toQString(content), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    // The version and build lines are what people quote in a report: let them be copied.
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

} // namespace

wspellapAboutDlg::wspellapAboutDlg(QWidget* parent)
    : QDialog(parent)
{
    const help::AboutLines lines = help::aboutLines(help::programVersionValues());
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(toQString(lines.caption));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    const int side = fontMetrics().height() * 3;
    icon->setPixmap(icons::applicationIcon().pixmap(side, side));
    icon->setMinimumSize(side, side);
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    icon->setAccessibleName(uiText(strings::kAboutFixedLine));

    auto* fixed = line(lines.fixedLine, "aboutProduct", this);
    QFont bold = fixed->font();
    bold.setBold(true);
    fixed->setFont(bold);

    auto* text = new QVBoxLayout;
    text->addWidget(fixed);
    text->addWidget(line(lines.versionLine, "aboutVersion", this));
    text->addWidget(line(lines.legalLine, "aboutLegal", this));
    text->addWidget(line(lines.specialBuildLine, "aboutSpecialBuild", this));
    text->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(uiText(strings::kAboutOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("aboutOk"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok->setFocus();
}

void runAboutBox(QWidget* parent)
{
    wspellapAboutDlg box(parent);
    box.exec();
}

} // namespace quorvel::ui
