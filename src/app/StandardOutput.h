#pragma once

#include <QString>

#include <string_view>

namespace app {

// Standard output with every write checked. After a failed write the rest is
// skipped and the cause kept, so that the program can say why and exit 1.
// A reader that closes the pipe (| head) ends the program quietly, by
// SIGPIPE, as other command-line tools end.
class StandardOutput {
  public:
    StandardOutput();

    bool write(std::string_view bytes);
    bool write(const QString& text);
    // Flushes what is buffered; whether everything reached the output.
    bool finish();
    // Why a write failed, as one Italian line for standard error.
    QString problem() const;

  private:
    int error_ = 0;
};

} // namespace app
