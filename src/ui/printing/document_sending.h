#pragma once

// "S&end...": the saved file of the active bee list or statistics window goes to the desktop's
// mail program as an attachment. It is the file on disk that goes, not text not yet saved.

namespace quorvel {
class MailSender;
class Prompter;
} // namespace quorvel

namespace quorvel::ui {

class DocumentWindow;

// Whether Send is offered: mail can be sent and the document is a bee list or a statistics
// window with a saved file (not an untitled window, never the scrap pad).
bool canSend(const DocumentWindow* document, const MailSender& mail);

// Hands the document's file to the mail program. A failure (no xdg-email, the file gone, the
// mail program refusing) is shown when the hand-off ends, under the Send caption.
void sendDocument(const DocumentWindow& document, MailSender& mail, Prompter& prompter);

} // namespace quorvel::ui
