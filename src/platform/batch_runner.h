#pragma once

#include "platform/command_runner.h"
#include "platform/folders.h"
#include "platform/message_box.h"

namespace etq {

// Runs a print batch without a command interpreter. The batch's one line "type FILE > DEST"
// (see parseBatchCopy) is carried out by a copying program started detached, with arguments
// passed one by one, so nothing of the line ever reaches a shell:
// - DEST naming an installed printer queue (no slash, known to lpstat): `lp -d QUEUE -o raw`,
//   the bytes go to the printer unchanged;
// - any other DEST is a file or device path, relative to the working directory: `cp` copies the
//   bytes into it, truncating an existing file as the redirection would.
// FILE is relative to the process's working directory (as the batch's own directory does not
// count for the command interpreter either) and is found without regard to letter case.
// A batch of another form, a missing FILE, or a DEST that is a folder, lies in a missing folder,
// cannot be written by this user, holds a backslash (a Windows path or share) or is a Windows
// port (LPT1, COM1, PRN...) is reported to the operator and nothing is run; so is a DEST holding
// a character the command interpreter treats specially (; & | < > ` $ ( ) ' " or a control
// character), unless a printer queue has exactly that name.
class BatchRunner : public CommandRunner {
  public:
    BatchRunner(MessageBox& messages, Folders folders);
    void startBatch(const QString& batchPath) override;

  private:
    void refuse(const QString& text);

    MessageBox& messages_;
    Folders folders_;
};

}  // namespace etq
