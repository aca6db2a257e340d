#include "engine/SystemError.h"

#include <cerrno>

namespace engine {

std::string systemErrorText(int errorNumber) {
    switch (errorNumber) {
    case ENOSPC:
        return "disco pieno";
    case EDQUOT:
        return "spazio disponibile esaurito";
    case ENOENT:
        return "la cartella non esiste";
    case ENOTDIR:
        return "una parte del percorso non è una cartella";
    case EISDIR:
        return "è una cartella";
    case EACCES:
    case EPERM:
        return "permesso negato";
    case EROFS:
        return "il disco è in sola lettura";
    case ENAMETOOLONG:
        return "il nome è troppo lungo";
    case EFBIG:
        return "il file è troppo grande";
    case EIO:
        return "errore del disco";
    case EPIPE:
        return "chi legge ha chiuso il flusso";
    default:
        return "errore di scrittura (codice " + std::to_string(errorNumber) + ")";
    }
}

} // namespace engine
