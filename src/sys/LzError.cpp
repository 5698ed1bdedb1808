#include "LzError.h"

#include <lzexpand.h>

namespace {

struct LzErrorName {
    long code;
    const char* name;
    const char* words;
};

const LzErrorName kLzErrors[] = {
    {LZERROR_BADINHANDLE, "LZERROR_BADINHANDLE", "fichier source non valide"},
    {LZERROR_BADOUTHANDLE, "LZERROR_BADOUTHANDLE", "fichier cible non valide"},
    {LZERROR_READ, "LZERROR_READ", "lecture impossible du fichier source"},
    {LZERROR_WRITE, "LZERROR_WRITE", "écriture impossible du fichier cible (disque plein ?)"},
    {LZERROR_GLOBALLOC, "LZERROR_GLOBALLOC", "mémoire insuffisante"},
    {LZERROR_GLOBLOCK, "LZERROR_GLOBLOCK", "mémoire inaccessible"},
    {LZERROR_BADVALUE, "LZERROR_BADVALUE", "paramètre non valide"},
    {LZERROR_UNKNOWNALG, "LZERROR_UNKNOWNALG", "données compressées endommagées ou d'un format inconnu"},
};

} // namespace

CString LzErrorText(long code)
{
    CString text;
    for (const LzErrorName& error : kLzErrors) {
        if (error.code == code) {
            text.Format("%s (%ld) : %s", error.name, code, error.words);
            return text;
        }
    }
    text.Format("erreur LZ %ld", code);
    return text;
}
