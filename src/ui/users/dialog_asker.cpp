#include "users/dialog_asker.h"

#include "common/input_box.h"
#include "common/ui_text.h"
#include "users/password_dialog.h"

#include <QFileDialog>
#include <QLineEdit>

namespace quorvel::ui {

bool DialogAsker::askPassword(const StartupInfo& info, PasswordRequest& request)
{
    return AskPassword(info, request, m_prompter, m_help, m_parent);
}

std::optional<std::string> DialogAsker::askText(const std::string& caption,
    const std::string& prompt, int maxLength, CharacterSet set, const std::string& initial)
{
    InputBox box(toQString(caption), toQString(prompt), maxLength, set, m_parent);
    if (!initial.empty())
        box.setText(toQString(initial));
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.text().toStdString();
}

std::optional<std::string> DialogAsker::askOpenFile(
    const std::string& caption, const std::string& filter, const std::string& folder)
{
    QFileDialog dialog(m_parent, toQString(caption), toQString(folder), toQString(filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

std::optional<std::string> DialogAsker::askSaveFile(
    const std::string& caption, const std::string& filter, const std::string& suggested)
{
    QFileDialog dialog(m_parent, QString::fromStdString(caption), QString::fromStdString(suggested),
        QString::fromStdString(filter));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

namespace {

// A document dialog on the question's filters, showing its filter first; afterwards the question
// holds the filter chosen.
std::optional<std::string> askDocument(QWidget* parent, DocumentFileQuestion& question, bool saving)
{
    QFileDialog dialog(parent, toQString(question.caption), toQString(question.start));
    const QStringList filters = toQString(question.filters).split(QStringLiteral(";;"));
    dialog.setNameFilters(filters);
    if (question.filter >= 1 && question.filter <= filters.size())
        dialog.selectNameFilter(filters.at(question.filter - 1));
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (saving && !question.defaultSuffix.empty())
        dialog.setDefaultSuffix(toQString(question.defaultSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
    if (chosen >= 0)
        question.filter = static_cast<int>(chosen) + 1;
    return dialog.selectedFiles().constFirst().toStdString();
}

} // namespace

std::optional<std::string> DialogAsker::askOpenDocument(DocumentFileQuestion& question)
{
    return askDocument(m_parent, question, false);
}

std::optional<std::string> DialogAsker::askSaveDocument(DocumentFileQuestion& question)
{
    return askDocument(m_parent, question, true);
}

} // namespace quorvel::ui
