// What a technician relies on, seen from outside on the real program: the log of
// each run, error boxes that say why, the exit code, and no update over programs
// still running from the folder. The disc is laid out in drive R:, folders live on
// drive S:, the stand-in installer records its runs.

#include "CKernelHandle.h"
#include "E2eFixture.h"

#include <algorithm>
#include <cstdio>

namespace {

const char kLogIntro[] = "\n\nLe détail de cette exécution est dans le journal « ";

// The system's own text for `error`, as the program gives it.
std::string SystemText(DWORD error)
{
    char text[512] = "";
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                     sizeof text, nullptr);
    std::string line = text;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' '))
        line.pop_back();
    if (line.empty() || line.back() != '.')
        line += '.';
    return line;
}

std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

// A log read back: its lines in Windows-1252 without their time stamps, after
// checking what every line and the file as a whole must be.
struct LogRead {
    std::vector<std::string> lines;
    std::vector<std::string> faults;
};

LogRead ReadRunLog(const std::string& path)
{
    LogRead read;
    const std::string bytes = ReadFileBytes(path);
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") != 0)
        read.faults.push_back("no UTF-8 byte-order mark");
    const std::string body = bytes.substr(std::min<size_t>(3, bytes.size()));
    std::wstring wide(body.size(), L'\0');
    const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, body.data(), static_cast<int>(body.size()),
                                             &wide[0], static_cast<int>(wide.size()));
    if (length <= 0 && !body.empty())
        read.faults.push_back("not valid UTF-8");
    std::string text(body.size(), '\0');
    text.resize(static_cast<size_t>(std::max(0, ::WideCharToMultiByte(1252, 0, wide.data(), std::max(length, 0),
                                                                       &text[0], static_cast<int>(text.size()),
                                                                       nullptr, nullptr))));
    std::string previousTime;
    for (size_t start = 0, end; start < text.size(); start = end + 2) {
        end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        // "2026-12-08 14:03:27 " then the event, the times never going back.
        const std::string time = line.substr(0, 19);
        if (end == std::string::npos || line.size() < 21 || time[4] != '-' || time[13] != ':' || line[19] != ' ' ||
            time < previousTime) {
            read.faults.push_back("not a stamped line in order ending in CR LF: " + line);
            break;
        }
        previousTime = time;
        read.lines.push_back(line.substr(20));
    }
    return read;
}

// Where `expected`, each a part of one line, fail to appear in that order.
std::string MissingInOrder(const std::vector<std::string>& lines, const std::vector<std::string>& expected)
{
    std::string missing;
    size_t at = 0;
    for (const std::string& part : expected) {
        const auto found = std::find_if(lines.begin() + static_cast<long>(at), lines.end(),
                                        [&](const std::string& line) { return line.find(part) != std::string::npos; });
        if (found == lines.end()) {
            missing += "\n  not found (in order): " + part;
            continue;
        }
        at = static_cast<size_t>(found - lines.begin()) + 1;
    }
    return missing;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& line : lines)
        all += "\n  " + line;
    return all;
}

std::vector<std::string> Texts(const std::vector<MessageBoxSeen>& boxes)
{
    std::vector<std::string> texts;
    for (const MessageBoxSeen& box : boxes)
        texts.push_back(box.text);
    return texts;
}

std::string CannotReinstall(const std::string& name)
{
    return "L'application '" + name + "' ne peut être mise à jour à partir du Cédérom.";
}

const char kQuill[] = "Le logiciel 'Quill Mx' a été désinstallé.\nVous devrez le réinstaller ultérieurement à "
                      "partir des disquettes originales.";

using Technician = EndToEnd;

TEST_F(Technician, LogOfAWholeSessionRecordsEveryFactInOrder)
{
    const std::string disc = LayOutDisc("R:\\");
    const std::string ecole = suite.AddFolder("S:\\École", "1, 2, 0, 0", {"Tolvane", "Atelier"});
    suite.AddFolder("S:\\À jour", "1, 3, 0, 0", {"Tolvane"});
    const std::string bare = suite.AddFolder("S:\\Sans version", nullptr, {});
    const std::string logPath = "S:\\Journal de salle\\mise à jour.log";
    ASSERT_TRUE(MakeFolders("S:\\Journal de salle"));
    Environment environment = StandinEnvironment();
    environment.push_back({"MISEAJOUR_STANDIN_EXIT", "3"});

    AppUnderTest app;
    ASSERT_TRUE(app.Start(disc, environment, "", "/LOG=\"" + logPath + "\""));
    HWND dialog = app.WaitForDialog(kTitle);
    ASSERT_NE(nullptr, dialog);
    ASSERT_EQ((std::vector<std::string>{ecole, bare}), ComboItems(dialog, 1000));
    const std::vector<MessageBoxSeen> first = RunUpdate(app, dialog);
    EXPECT_EQ((std::vector<std::string>{kNotice, CannotReinstall("Atelier")}), Texts(first));
    const std::vector<MessageBoxSeen> second = RunUpdate(app, dialog);
    EXPECT_EQ((std::vector<std::string>{kNotice, kUpToDate}), Texts(second));
    EXPECT_EQ(std::optional<DWORD>(6), app.WaitForExit(10000));

    const LogRead log = ReadRunLog(logPath);
    EXPECT_TRUE(log.faults.empty()) << Joined(log.faults);
    const std::string removal = " /u/c/*" + ecole;
    const std::vector<std::string> facts = {
        "Démarrage de MiseAJour, version 1.3",
        "Programme : « R:\\MiseAJour.exe »",
        "Disque : programme d'installation « _install.ex_ » trouvé dans « R: »",
        "Catalogue : dossier « " + ecole + " » (valeur « Install 01 »), Kerbanista.exe en version « 1, 2, 0, 0 », "
        "à mettre à jour",
        "Kerbanista.exe en version « 1, 3, 0, 0 », déjà en version 1.3 ou plus, non proposé",
        "Catalogue : dossier « " + bare + " » (valeur « Install 03 »), version de Kerbanista.exe illisible "
        "(erreur système 2 : " + SystemText(ERROR_FILE_NOT_FOUND) + "), à mettre à jour",
        "Mise à jour du dossier « " + ecole + " »",
        "Application « Atelier » : sans code produit",
        "Application « Tolvane » : code produit W%_Q",
        "Message affiché : « " + std::string(kNotice) + " », réponse : OK",
        "Exécution de « " + ecole + "\\_install.exe », ligne de commande « " + removal + " », dossier courant « " +
            ecole + " » : code de sortie 3, durée ",
        "Exécution de « " + ecole + "\\_install.exe », ligne de commande «  /b/*R: », dossier courant « " + ecole +
            " » : code de sortie 3, durée ",
        "Message affiché : « " + CannotReinstall("Atelier") + " », réponse : OK",
        "Dossier « " + ecole + " » mis à jour",
        "Mise à jour du dossier « " + bare + " »",
        "Message affiché : « " + std::string(kUpToDate) + " », réponse : OK",
        "Fin de l'exécution, code de sortie 6 : mis à jour, mais au moins une application n'a pas été réinstallée",
    };
    // The notice's line ends come out as blanks in the log.
    std::vector<std::string> expected;
    for (std::string fact : facts) {
        std::replace(fact.begin(), fact.end(), '\n', ' ');
        expected.push_back(fact);
    }
    // The applications, and so the reinstall run and message 9, come in the
    // folder's own order: those are looked for after the removal run, each alone.
    std::vector<std::string> ordered = expected;
    ordered.erase(ordered.begin() + 11, ordered.begin() + 13);
    ordered.erase(ordered.begin() + 7, ordered.begin() + 9);
    EXPECT_EQ("", MissingInOrder(log.lines, ordered)) << "log:" << Joined(log.lines);
    for (const size_t alone : {7, 8})
        EXPECT_EQ("", MissingInOrder(log.lines, {expected[6], expected[alone], expected[13]}));
    for (const size_t alone : {11, 12})
        EXPECT_EQ("", MissingInOrder(log.lines, {expected[10], expected[alone], expected[13]}));
    std::printf("the log of this session:%s\n", Joined(log.lines).c_str());
}

TEST_F(Technician, LogThatCannotBeWrittenChangesNothing)
{
    // Wine lets its root user write into read-only folders and files: a read-only
    // folder is the read-only mount behind T: (see wine-env.sh), and the other logs
    // that cannot be written are made in the ways Wine does refuse.
    ASSERT_TRUE(MakeFolders("S:\\Dossier"));
    ASSERT_TRUE(WriteFileBytes("S:\\tenu.log", "ancien\r\n"));
    CKernelHandle held(::CreateFileA("S:\\tenu.log", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.IsValid());
    struct Case {
        const char* label;
        std::string logPath;
    };
    const Case cases[] = {
        {"a folder that does not exist", "S:\\nulle part\\journal.log"},
        {"a folder in place of the file", "S:\\Dossier"},
        {"a file another program holds", "S:\\tenu.log"},
        {"a full disc", "Z:\\dev\\full"},
        {"a read-only folder", "T:\\journal.log"},
    };
    const std::string disc = LayOutDisc("R:\\");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ::DeleteFileA(log.c_str());
        SuiteInstallations local;
        const std::string folder = local.AddFolder("S:\\Salle", "1, 2, 0, 0", {"Tolvane", "Quill Mx"});
        AppUnderTest app;
        ASSERT_TRUE(app.Start(disc, StandinEnvironment(), "", "/log=\"" + c.logPath + "\""));
        HWND dialog = app.WaitForDialog(kTitle);
        ASSERT_NE(nullptr, dialog);
        const std::vector<MessageBoxSeen> boxes = RunUpdate(app, dialog);
        EXPECT_EQ((std::vector<std::string>{kNotice, kQuill, kUpToDate}), Texts(boxes));
        EXPECT_EQ(std::optional<DWORD>(6), app.WaitForExit(10000));
        const std::vector<standin::Run> runs = Runs();
        ASSERT_EQ(2u, runs.size());
        EXPECT_EQ(" /u/c/*" + folder, runs[0].commandLine);
        EXPECT_EQ("W%_Q", runs[1].code.text);
        EXPECT_FALSE(PathExists("S:\\nulle part"));
    }
    held.Close();
    EXPECT_EQ("ancien\r\n", ReadFileBytes("S:\\tenu.log"));
}

TEST_F(Technician, EachNumberedErrorSaysWhyAndIsTheExitCode)
{
    const std::string whole = ReadFileBytes(CompressedInstallerPath());
    ASSERT_GT(whole.size(), 1000u);
    // The number the system gives for a file that is no program.
    ASSERT_TRUE(WriteFileBytes("S:\\pas un programme.exe", "ceci n'est pas un programme"));
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    char line[] = " /u/c/*x";
    ASSERT_FALSE(::CreateProcessA("S:\\pas un programme.exe", line, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &si, &pi));
    const DWORD notAProgram = ::GetLastError();

    enum class Fault { CopyRefused, Damaged, NotAProgram, NoInstaller };
    struct Case {
        const char* label;
        Fault fault;
        std::string logPath;   // "" for a log that cannot be written
        int number;
    };
    const Case cases[] = {
        {"2: a folder named like the copy is in the way", Fault::CopyRefused, "S:\\journal.log", 2},
        {"3: the disc's installer is cut short", Fault::Damaged, "S:\\journal.log", 3},
        {"4: the installer is no program", Fault::NotAProgram, "S:\\journal.log", 4},
        {"5: no installer on the disc", Fault::NoInstaller, "S:\\journal.log", 5},
        {"5, and the log cannot be written", Fault::NoInstaller, "", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SuiteInstallations local;
        const std::string folder = local.AddFolder("S:\\Collège", "1, 2, 0, 0", {"Tolvane"});
        std::string disc = LayOutDisc(c.fault == Fault::NoInstaller ? "R:\\Programme" : "R:\\",
                                      c.fault != Fault::NoInstaller && c.fault != Fault::CopyRefused);
        std::string sentence;
        switch (c.fault) {
        case Fault::CopyRefused: {
            ASSERT_TRUE(::CopyFileA(CompressedInstallerPath().c_str(), "R:\\_install.ex_", FALSE));
            ASSERT_TRUE(MakeFolders(folder + "\\_install.ex_"));
            ASSERT_FALSE(::CopyFileA("R:\\_install.ex_", (folder + "\\_install.ex_").c_str(), TRUE));
            sentence = "Le programme d'installation n'a pas pu être copié depuis le disque dans « " + folder +
                       " » : " + SystemText(::GetLastError());
            break;
        }
        case Fault::Damaged:
            ASSERT_TRUE(WriteFileBytes("R:\\_install.ex_", whole.substr(0, whole.size() / 2)));
            sentence = "Le programme d'installation copié dans « " + folder +
                       " » est endommagé : sa décompression a donné ";
            break;
        case Fault::NotAProgram:
            ASSERT_TRUE(WriteFileBytes("R:\\_install.ex_", "ceci n'est pas un programme"));
            sentence = "Le programme d'installation « " + folder + "\\_install.exe » n'a pas pu être lancé : " +
                       SystemText(notAProgram);
            break;
        case Fault::NoInstaller:
            sentence = "Le programme d'installation « _install.ex_ » est introuvable sur le disque ; dossiers "
                       "examinés : « R:\\Programme », « R: ».";
            break;
        }
        const std::string logArgument =
            "\"/log=" + (c.logPath.empty() ? "S:\\nulle part\\journal.log" : c.logPath) + "\"";

        AppUnderTest app;
        ASSERT_TRUE(app.Start(disc, StandinEnvironment(), "", logArgument));
        HWND dialog = app.WaitForDialog(kTitle);
        ASSERT_NE(nullptr, dialog);
        const std::vector<MessageBoxSeen> boxes = RunUpdate(app, dialog);
        ASSERT_FALSE(boxes.empty());
        const MessageBoxSeen& box = boxes.back();
        const std::string head = "Erreur : " + std::to_string(c.number) + "\n\n";
        const std::string logTail = c.logPath.empty() ? "" : kLogIntro + c.logPath + " ».";
        if (c.fault == Fault::Damaged) {
            // The count Wine's expansion gives for a cut file is its own.
            EXPECT_EQ(0u, box.text.find(head + sentence)) << box;
            EXPECT_NE(std::string::npos, box.text.find(" octets au lieu de ")) << box;
            EXPECT_EQ(logTail, box.text.substr(box.text.size() - logTail.size())) << box;
        } else {
            EXPECT_EQ(head + sentence + logTail, box.text) << box;
        }
        EXPECT_EQ("MiseAJour", box.caption);
        EXPECT_EQ(IconKind::Warning, box.icon) << box;
        EXPECT_EQ("Erreur : " + std::to_string(c.number), ItemText(dialog, 1007));
        ASSERT_TRUE(Click(dialog, IDCANCEL));
        EXPECT_EQ(std::optional<DWORD>(static_cast<DWORD>(c.number)), app.WaitForExit(10000));
        if (!c.logPath.empty()) {
            const LogRead log = ReadRunLog(c.logPath);
            EXPECT_EQ("", MissingInOrder(log.lines, {"Erreur " + std::to_string(c.number) + " : ",
                                                     "Fin de l'exécution, code de sortie " + std::to_string(c.number)}))
                << Joined(log.lines);
            ::DeleteFileA(c.logPath.c_str());
        }
        RemoveTree("R:\\Programme");
        ::DeleteFileA("R:\\_install.ex_");
        RemoveTree(folder);
    }
}

TEST_F(Technician, ExitCodeSaysHowTheRunWent)
{
    enum class Act { UpdateAll, Finish, UsageBox, SecondUpdater };
    struct Case {
        const char* label;
        std::vector<std::string> applications;   // of the first folder; a second one when `twoFolders`
        bool twoFolders;
        std::string arguments;
        Act act;
        std::string boxStart;                     // the usage box's first line
        DWORD code;
    };
    const Case cases[] = {
        {"every folder updated", {"Tolvane"}, false, "", Act::UpdateAll, "", 0},
        {"an application not reinstalled (message 9)", {"Atelier", "Tolvane"}, false, "", Act::UpdateAll, "", 6},
        {"ended by Terminer with a folder left", {"Tolvane"}, true, "", Act::Finish, "", 1602},
        {"an unknown switch", {"Tolvane"}, false, "/log=S:\\j.log -Silencieux", Act::UsageBox,
         "Option inconnue : « -Silencieux »", 1639},
        {"the usage asked for", {"Tolvane"}, false, "/?", Act::UsageBox, "", 0},
        {"another updater runs", {"Tolvane"}, false, "", Act::SecondUpdater, "", 1618},
    };
    const std::string disc = LayOutDisc("R:\\");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ::DeleteFileA(log.c_str());
        SuiteInstallations local;
        local.AddFolder("S:\\Salle A", "1, 2, 0, 0", c.applications);
        if (c.twoFolders)
            local.AddFolder("S:\\Salle B", "1, 2, 0, 0", {"Tolvane"});

        AppUnderTest app;
        ASSERT_TRUE(app.Start(disc, StandinEnvironment(), "", c.arguments));
        std::optional<DWORD> code;
        if (c.act == Act::UsageBox) {
            const auto box = app.WaitForMessageBox();
            ASSERT_TRUE(box.has_value());
            EXPECT_EQ(std::string(kTitle), box->caption);
            EXPECT_NE(std::string::npos, box->text.find("/quiet")) << *box;
            if (!c.boxStart.empty()) {
                EXPECT_EQ(c.boxStart, FirstLine(box->text));
            }
            app.Answer(*box);
            code = app.WaitForExit(10000);
            EXPECT_TRUE(Runs().empty());
        } else {
            HWND dialog = app.WaitForDialog(kTitle);
            ASSERT_NE(nullptr, dialog);
            if (c.act == Act::UpdateAll) {
                RunUpdate(app, dialog);
                code = app.WaitForExit(10000);
            } else if (c.act == Act::Finish) {
                ASSERT_TRUE(Click(dialog, IDCANCEL));
                code = app.WaitForExit(10000);
            } else {
                AppUnderTest second;
                ASSERT_TRUE(second.Start(disc, StandinEnvironment()));
                code = second.WaitForExit(15000);
                ASSERT_TRUE(Click(dialog, IDCANCEL));
                app.WaitForExit(10000);
            }
        }
        EXPECT_EQ(std::optional<DWORD>(c.code), code);
    }
}

TEST_F(Technician, OpenApplicationsHoldTheUpdateUntilClosed)
{
    enum class Answer { RetryAfterClosing, Cancel };
    struct Case {
        const char* label;
        Answer answer;
        const char* lastAnswer;   // as the log names it
    };
    const Case cases[] = {
        {"Réessayer once the application is closed", Answer::RetryAfterClosing, "Réessayer"},
        {"Annuler", Answer::Cancel, "Annuler"},
    };
    const std::string disc = LayOutDisc("R:\\");
    const std::string standin = CompressedInstallerPath().substr(0, CompressedInstallerPath().rfind('\\')) +
                                "\\installer-standin.exe";
    const std::string logPath = logFolder / "journal.log";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ::DeleteFileA(log.c_str());
        ::DeleteFileA(logPath.c_str());
        SuiteInstallations local;
        const std::string folder = local.AddFolder("S:\\Salle", "1, 2, 0, 0", {"Tolvane"});
        // A program of the folder's own, open: a copy of the stand-in that waits,
        // recording its run elsewhere.
        ASSERT_TRUE(MakeFolders(folder + "\\Outils"));
        ASSERT_TRUE(::CopyFileA(standin.c_str(), (folder + "\\Outils\\Carte.exe").c_str(), FALSE));
        const auto before = Snapshot(folder);
        AppUnderTest open;
        ASSERT_TRUE(open.Start(folder + "\\Outils\\Carte.exe",
                               {{"MISEAJOUR_STANDIN_LOG", logFolder / "ouverte.log"}, {"MISEAJOUR_STANDIN_MS", "60000"}}));

        AppUnderTest app;
        ASSERT_TRUE(app.Start(disc, StandinEnvironment(), "", "/log=" + logPath));
        HWND dialog = app.WaitForDialog(kTitle);
        ASSERT_NE(nullptr, dialog);
        ASSERT_TRUE(Click(dialog, 1002));
        auto notice = app.WaitForMessageBox();
        ASSERT_TRUE(notice.has_value());
        EXPECT_EQ(std::string(kNotice), notice->text);
        app.Answer(*notice);

        const std::string named =
            "Fermez les applications suivantes avant de poursuivre la mise à jour : Outils\\Carte.exe.";
        auto held = app.WaitForMessageBox();
        ASSERT_TRUE(held.has_value());
        EXPECT_EQ(named, held->text);
        EXPECT_EQ(std::string(kTitle), held->caption);
        EXPECT_EQ(IconKind::Warning, held->icon) << *held;
        EXPECT_NE(nullptr, ::GetDlgItem(held->hwnd, IDRETRY));
        EXPECT_NE(nullptr, ::GetDlgItem(held->hwnd, IDCANCEL));

        if (c.answer == Answer::RetryAfterClosing) {
            // Looked at again while it still runs: the same box again.
            app.Answer(*held, IDRETRY);
            held = app.WaitForMessageBox();
            ASSERT_TRUE(held.has_value());
            EXPECT_EQ(named, held->text);
            open.Kill();
            app.Answer(*held, IDRETRY);
            const Session rest = app.AnswerAllUntilExit(20000);
            EXPECT_EQ(std::vector<std::string>{kUpToDate}, Texts(rest.boxes));
            EXPECT_EQ(std::optional<DWORD>(0), rest.exitCode);
            EXPECT_EQ(2u, Runs().size());
        } else {
            app.Answer(*held, IDCANCEL);
            EXPECT_TRUE(IsResponsive(dialog, 10000));
            EXPECT_TRUE(Runs().empty());
            EXPECT_TRUE(Snapshot(folder) == before) << "the folder was touched";
            EXPECT_EQ(std::vector<std::string>{folder}, ComboItems(dialog, 1000));
            EXPECT_TRUE(IsItemEnabled(dialog, 1002));
            EXPECT_TRUE(::IsWindowEnabled(dialog));
            ASSERT_TRUE(Click(dialog, IDCANCEL));
            EXPECT_EQ(std::optional<DWORD>(7), app.WaitForExit(10000));
            open.Kill();
        }
        const LogRead read = ReadRunLog(logPath);
        EXPECT_EQ("", MissingInOrder(read.lines, {"Applications ouvertes dans « " + folder + " » : « " + folder +
                                                      "\\Outils\\Carte.exe »",
                                                  "Message affiché : « " + named + " », réponse : " + c.lastAnswer,
                                                  "Dossier « " + folder + " »"}))
            << Joined(read.lines);
    }
}

TEST_F(Technician, StatusTellsTheStepUnderWay)
{
    const std::string disc = LayOutDisc("R:\\");
    const std::string folder = suite.AddFolder("S:\\Salle", "1, 2, 0, 0", {"Tolvane", "Marbelo"});
    AppUnderTest app;
    HWND dialog = Start(app, disc, StandinEnvironment(1500));
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(Click(dialog, 1002));
    auto notice = app.WaitForMessageBox();
    ASSERT_TRUE(notice.has_value());
    app.Answer(*notice);

    // Every status text shown until the update's last box.
    std::vector<std::string> shown;
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 30000 && !app.FindMessageBox()) {
        const std::string status = ItemText(dialog, 1007);
        if (shown.empty() || shown.back() != status)
            shown.push_back(status);
        ::Sleep(20);
    }
    // The reinstall runs follow the folder's own order.
    std::vector<std::string> names;
    for (const standin::Run& run : Runs())
        if (run.code.text == "W%_Q" || run.code.text == "M--Q")
            names.push_back(run.code.text == "W%_Q" ? "Tolvane" : "Marbelo");
    ASSERT_EQ(2u, names.size());
    const std::string wait = "Veuillez patienter\r\n";
    const std::vector<std::string> expected = {
        wait + "Désinstallation de l'ancienne version",
        wait + "Réinstallation de « " + names[0] + " » (1 sur 2)",
        wait + "Réinstallation de « " + names[1] + " » (2 sur 2)",
    };
    EXPECT_EQ("", MissingInOrder(shown, expected)) << "shown:" << Joined(shown);
    app.AnswerAllUntilExit(20000);
}

} // namespace
