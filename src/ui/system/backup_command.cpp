#include "system/backup_command.h"

#include "app/session.h"
#include "dictionary/dictionary_backup.h"
#include "system/wait_cursor.h"

namespace quorvel::ui {

void runBackupDictionary(QWidget*, UiContext& context)
{
    BackupDictionary(context.session.info, context.prompter, waitCursorHook());
}

} // namespace quorvel::ui
