#include "framework/io/SystemErrorText_p.h"

#include <cerrno>

namespace fw {

std::string SystemErrorText(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return "Sie ist nicht vorhanden.";
        case EACCES:
        case EPERM:
            return "Die Leseberechtigung fehlt.";
        case EISDIR:
            return "Sie ist ein Ordner.";
        case ELOOP:
            return "Ihr Pfad f\xC3\xBChrt \xC3\xBC"
                   "ber zu viele symbolische Verkn\xC3\xBCpfungen, vielleicht im Kreis.";
        case ENAMETOOLONG:
            return "Ihr Name oder Pfad ist zu lang.";
        case EMFILE:
        case ENFILE:
            return "Es sind schon zu viele Dateien ge\xC3\xB6"
                   "ffnet.";
        case EIO:
            return "Der Datentr\xC3\xA4ger meldet einen Ein-/Ausgabefehler.";
        case ENOMEM:
            return "Der Arbeitsspeicher reicht nicht aus.";
        case EOVERFLOW:
        case EFBIG:
            return "Sie ist zu gro\xC3\x9F.";
        case ENXIO:
        case ENODEV:
            return "Das zugeh\xC3\xB6rige Ger\xC3\xA4t ist nicht erreichbar.";
        case EBUSY:
        case ETXTBSY:
            return "Sie wird gerade anderweitig benutzt.";
        case ESTALE:
            return "Sie liegt auf einem Netzlaufwerk, das nicht mehr erreichbar ist.";
        case EAGAIN:
            return "Sie ist gerade nicht lesbar.";
        default:
            return "Das Betriebssystem meldet den Fehler Nummer " + std::to_string(error) + ".";
    }
}

}  // namespace fw
