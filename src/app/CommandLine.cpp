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
    else if (name.GetLength() > 7 && name.Left(7).CompareNoCase("report=") == 0)
        out.reportFolder = name.Mid(7);
    else if (name.GetLength() > 8 && name.Left(8).CompareNoCase("summary=") == 0)
        out.summaryFolder = name.Mid(8);
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
    return "Utilisation : MiseAJour.exe [/quiet] [/check] [/log=FICHIER] [/report=DOSSIER]\n"
           "       MiseAJour.exe /summary=DOSSIER [/quiet]\n"
           "\n"
           "/quiet : met à jour, sans aucune fenêtre, chaque dossier qui en a besoin.\n"
           "/check : ne change rien ; le code de sortie vaut 1 si un dossier a besoin de la mise à jour, 0 sinon.\n"
           "/log=FICHIER : écrit le journal dans FICHIER plutôt que dans %TEMP%\\MiseAJour.log. "
           "Un chemin qui contient des espaces s'écrit entre guillemets : /log=\"C:\\Mes journaux\\MiseAJour.log\".\n"
           "/report=DOSSIER : laisse dans DOSSIER, à la fin, le relevé de ce poste (NOM.poste.txt), qui remplace le "
           "précédent.\n"
           "/summary=DOSSIER : lit les relevés de DOSSIER, y écrit rapport.html et rapport.csv et ouvre le premier "
           "(sauf avec /quiet) ; le code de sortie vaut 0 si tous les postes sont à jour, 1 sinon.\n"
           "/? : affiche cette aide.\n"
           "\n"
           "Les options commencent par « / » ou « - » et s'écrivent en majuscules ou en minuscules.";
}
