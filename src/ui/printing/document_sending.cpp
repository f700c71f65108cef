#include "printing/document_sending.h"

#include "common/document_window.h"
#include "platform/services.h"
#include "printing/sending.h"
#include "strings/strings.h"

namespace quorvel::ui {

bool canSend(const DocumentWindow* document)
{
    return document && document->documentKind() != DocumentKind::ScrapPad
        && !document->attachableFile().empty();
}

void sendDocument(const DocumentWindow& document, MailSender& mail, Prompter& prompter)
{
    const std::string file = document.attachableFile();
    mail.send(file, [file, &prompter](SendOutcome outcome) {
        if (outcome.kind != SendOutcome::Kind::Handed)
            prompter.show(
                sendFailureText(outcome, file), strings::kWarning, MessageIcon::Exclamation);
    });
}

} // namespace quorvel::ui
