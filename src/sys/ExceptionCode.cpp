#include "ExceptionCode.h"

namespace {

struct ExceptionName {
    DWORD code;
    const char* words;
};

// The exceptions a program of the suite's age dies of, in the system's own terms.
const ExceptionName kExceptionNames[] = {
    {0xC0000005, "violation d'accès"},
    {0xC0000006, "erreur de page : le fichier du programme est devenu illisible"},
    {0xC000001D, "instruction illégale"},
    {0xC0000025, "exception non continuable"},
    {0xC000008C, "indice de tableau hors limites"},
    {0xC000008E, "division par zéro en virgule flottante"},
    {0xC0000094, "division entière par zéro"},
    {0xC0000095, "dépassement de capacité d'un entier"},
    {0xC0000096, "instruction privilégiée"},
    {0xC00000FD, "dépassement de pile"},
    {0xC0000135, "une DLL est introuvable"},
    {0xC0000139, "point d'entrée d'une DLL introuvable"},
    {0xC0000142, "échec de l'initialisation d'une DLL"},
    {0xC000013A, "interrompu par Ctrl+C"},
    {0xC0000374, "tas endommagé"},
    {0xC0000409, "dépassement de tampon détecté"},
};

} // namespace

bool IsExceptionCode(DWORD code)
{
    return code >= 0xC0000000;
}

CString ExceptionCodeText(DWORD code)
{
    const char* words = "exception";
    for (const ExceptionName& name : kExceptionNames)
        if (name.code == code)
            words = name.words;
    CString text;
    text.Format("0x%08lX (%s)", static_cast<unsigned long>(code), words);
    return text;
}
