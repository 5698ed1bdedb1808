#pragma once
// The suite's installations as its installer leaves them, for one test: the
// register HKEY_LOCAL_MACHINE\Software\Rurodovoz Velmor\Install\Orvandel (one
// REG_SZ value per installation folder, the data being the folder's path) and the
// folders it names, each with its "Kerbanista.exe" stamped with a chosen
// FileVersion and its applications as NAME.ini/NAME.log pairs.
//
// The register is machine-wide state: a test program using this class must be
// registered with `LOCKS suite_registry` so that CTest never runs two at once.
//
//   SuiteInstallations suite;                                   // register emptied
//   const std::string a = suite.AddFolder("Salle B", "1, 2, 0, 0", {"Atlas", "Quill Mx"});
//   suite.AddFolder("Salle A", "1, 3, 0, 0");                   // up to date: not offered
//   suite.Register("C:\\nulle part");                          // a value only, no folder
//   AppUnderTest app; ...
//
// Failures to make a file, a folder or a value are reported as non-fatal gtest
// failures at the caller's line; the call goes on with what it can still do.

#include "Automation.h"  // CallSite
#include "RegistryScratch.h"
#include "TempDir.h"

#include <memory>
#include <string>
#include <vector>

class SuiteInstallations {
public:
    // Under HKEY_LOCAL_MACHINE.
    static const char* const kKeyPath;

    // Deletes the register key with everything in it. Folders are made below
    // `root` (created if missing and left in place afterwards), or, when `root` is
    // "", below a fresh temporary folder that this object removes again.
    explicit SuiteInstallations(const std::string& root = "");
    // Deletes the register key again (and the temporary folder, if it made one).
    ~SuiteInstallations();
    SuiteInstallations(const SuiteInstallations&) = delete;
    SuiteInstallations& operator=(const SuiteInstallations&) = delete;

    // Folder below which AddFolder and MakeFolder make relative names.
    const std::string& root() const { return m_root; }

    // MakeFolder, then Register. Returns the folder's full path.
    std::string AddFolder(const std::string& name, const char* fileVersion,
                          const std::vector<std::string>& applications = {}, CallSite where = CallSite::Here());

    // Makes the folder `name` below root(), or `name` itself when it is an absolute
    // path ("X:\..." or "\\..."), with a "Kerbanista.exe" whose FileVersion is
    // `fileVersion` (a null `fileVersion` leaves Kerbanista.exe out; for other
    // variants call StampVersion or CopyStub on the returned path yourself), and one
    // NAME.ini/NAME.log pair per entry of `applications`. Does not touch the
    // register. Returns the folder's full path, also when something failed.
    std::string MakeFolder(const std::string& name, const char* fileVersion,
                           const std::vector<std::string>& applications = {}, CallSite where = CallSite::Here());

    // Records `path` as one more installation. `valueName` "" names the value
    // "Install 01", "Install 02", ... in order of registration; Wine's registry
    // enumerates values in name order, so the catalogue then reads the folders in
    // the order they were registered. The folder need not exist.
    void Register(const std::string& path, const std::string& valueName = "", CallSite where = CallSite::Here());

    // Writes NAME.ini and NAME.log (both with a little text) into `folder`.
    static void AddApplication(const std::string& folder, const std::string& name,
                               CallSite where = CallSite::Here());

private:
    RegistryScratch m_key;
    std::unique_ptr<TempDir> m_temp;
    std::string m_root;
    int m_registered = 0;
};
