#include "CommandLine.h"

#include <initializer_list>

namespace {

bool IsOneOf(const CString& name, std::initializer_list<const char*> names)
{
    for (const char* candidate : names) {
        if (name.CompareNoCase(candidate) == 0)
            return true;
    }
    return false;
}

// Applies one argument; false when it is not known.
bool Apply(const CString& argument, CCommandLine& out)
{
    if (argument.GetLength() < 2 || (argument.GetAt(0) != '/' && argument.GetAt(0) != '-'))
        return false;
    const CString name = argument.Mid(1);
    if (IsOneOf(name, {"quiet"}))
        out.quiet = true;
    else if (IsOneOf(name, {"check"}))
        out.check = true;
    else if (IsOneOf(name, {"?", "h", "help"}))
        out.usage = true;
    else if (name.GetLength() > 4 && name.Left(4).CompareNoCase("log=") == 0)
        out.logPath = name.Mid(4);
    else
        return false;
    return true;
}

} // namespace

bool ParseCommandLine(int argc, const char* const* argv, CCommandLine& out)
{
    bool known = true;
    for (int i = 1; argv && i < argc; ++i) {
        const CString argument = argv[i];
        if (!Apply(argument, out) && known) {
            out.unknown = argument.IsEmpty() ? CString("\"\"") : argument;
            known = false;
        }
    }
    return known;
}

CString UsageText()
{
    return "Utilisation : MiseAJour.exe [/quiet] [/check] [/log=FICHIER]\n"
           "\n"
           "/quiet : met à jour, sans aucune fenêtre, chaque dossier qui en a besoin.\n"
           "/check : ne change rien ; le code de sortie vaut 1 si un dossier a besoin de la mise à jour, 0 sinon.\n"
           "/log=FICHIER : écrit le journal dans FICHIER plutôt que dans %TEMP%\\MiseAJour.log. "
           "Un chemin qui contient des espaces s'écrit entre guillemets : /log=\"C:\\Mes journaux\\MiseAJour.log\".\n"
           "/? : affiche cette aide.\n"
           "\n"
           "Les options commencent par « / » ou « - » et s'écrivent en majuscules ou en minuscules.";
}
