#pragma once

// "S&end...": the saved file of the active bee list or statistics window goes to the desktop's
// mail program as an attachment. It is the file on disk that goes, not text not yet saved.

namespace quorvel {
class MailSender;
class Prompter;
} // namespace quorvel

namespace quorvel::ui {

class DocumentWindow;

// Whether Send is offered: the document is a bee list or a statistics window with a saved file
// (not an untitled window, never the scrap pad). It is offered even when no mail hand-off was
// found, so that choosing it says what is missing instead of leaving the command greyed.
bool canSend(const DocumentWindow* document);

// Hands the document's file to the mail program. A failure (no xdg-email, the file gone, the
// mail program refusing) is shown when the hand-off ends, under the Send caption.
void sendDocument(const DocumentWindow& document, MailSender& mail, Prompter& prompter);

} // namespace quorvel::ui
