#include "system/backup_command.h"

#include "app/session.h"
#include "common/wait_cursor.h"
#include "dictionary/dictionary_backup.h"

namespace quorvel::ui {

void runBackupDictionary(QWidget*, UiContext& context)
{
    BackupDictionary(context.session.info, context.prompter, waitCursorHook());
}

} // namespace quorvel::ui
