#include "UpdateError.h"

#include "SystemError.h"

namespace {

// " : the system's text." ending the sentence, or a plain full stop when the
// system gave no error to explain.
CString Because(DWORD systemError)
{
    if (systemError == 0)
        return ".";
    CString text = CString(" : ") + SystemErrorText(systemError);
    if (text.GetAt(text.GetLength() - 1) != '.')
        text += ".";
    return text;
}

} // namespace

CString CUpdateError::Operation() const
{
    switch (number) {
    case kCopyFailed:
        return "copie du programme d'installation depuis le disque";
    case kExpandFailed:
        return "décompression du programme d'installation";
    case kRemovalNotStarted:
        return "lancement de la désinstallation";
    case kNoDiscInstaller:
        return "recherche du programme d'installation sur le disque";
    default:
        return "";
    }
}

CString CUpdateError::Sentence() const
{
    CString text;
    switch (number) {
    case kCopyFailed:
        text.Format("Le programme d'installation n'a pas pu être copié depuis le disque dans « %s »",
                    static_cast<const char*>(folder));
        return text + Because(systemError);
    case kExpandFailed:
        if (expandedBytes >= 0 && expectedBytes >= 0) {
            text.Format("Le programme d'installation copié dans « %s » est endommagé : sa décompression a "
                        "donné %ld octets au lieu de %ld.",
                        static_cast<const char*>(folder), expandedBytes, expectedBytes);
            return text;
        }
        if (expandedBytes >= 0) {
            text.Format("Le programme d'installation copié dans « %s » est endommagé : sa taille "
                        "décompressée est illisible.",
                        static_cast<const char*>(folder));
            return text;
        }
        text.Format("Le programme d'installation n'a pas pu être décompressé dans « %s »",
                    static_cast<const char*>(folder));
        return text + Because(systemError);
    case kRemovalNotStarted:
        text.Format("Le programme d'installation « %s » n'a pas pu être lancé", static_cast<const char*>(path));
        return text + Because(systemError);
    case kNoDiscInstaller:
        text = "Le programme d'installation « _install.ex_ » est introuvable sur le disque ; dossiers examinés :";
        return text + QuotedList(searched) + ".";
    default:
        return text;
    }
}

CString QuotedList(const CStringArray& items)
{
    CString text;
    for (int i = 0; i < items.GetSize(); ++i) {
        text += i ? ", « " : " « ";
        text += items.GetAt(i);
        text += " »";
    }
    return text;
}
