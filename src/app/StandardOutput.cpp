#include "app/StandardOutput.h"

#include "engine/SystemError.h"

#include <cerrno>
#include <csignal>
#include <cstdio>

namespace app {

StandardOutput::StandardOutput() {
    std::signal(SIGPIPE, SIG_DFL); // a parent may have ignored it
}

bool StandardOutput::write(std::string_view bytes) {
    if (error_ != 0)
        return false;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
        error_ = errno != 0 ? errno : EIO;
    return error_ == 0;
}

bool StandardOutput::write(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return write(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

bool StandardOutput::finish() {
    errno = 0;
    if (error_ == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout)))
        error_ = errno != 0 ? errno : EIO;
    return error_ == 0;
}

QString StandardOutput::problem() const {
    return QStringLiteral("impossibile scrivere sullo standard output: %1.")
        .arg(QString::fromStdString(engine::systemErrorText(error_)));
}

} // namespace app
