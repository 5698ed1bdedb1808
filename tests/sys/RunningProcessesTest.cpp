// FindProcessesInFolder over real processes: copies of the stub program started,
// held suspended, from folders of a temporary tree.

#include "RunningProcesses.h"
#include "CKernelHandle.h"
#include "TempDir.h"
#include "VersionStamp.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A process started suspended from `image`, ended when the object goes.
class SuspendedProcess {
public:
    explicit SuspendedProcess(const std::string& image)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + image + "\"";
        PROCESS_INFORMATION info = {};
        if (::CreateProcessA(image.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                             nullptr, &startup, &info)) {
            m_process.Attach(info.hProcess);
            m_thread.Attach(info.hThread);
        }
    }
    ~SuspendedProcess()
    {
        if (!m_process.IsValid())
            return;
        ::TerminateProcess(m_process, 0);
        ::WaitForSingleObject(m_process, 5000);
    }
    SuspendedProcess(const SuspendedProcess&) = delete;
    SuspendedProcess& operator=(const SuspendedProcess&) = delete;
    bool Started() const { return m_process.IsValid(); }

private:
    CKernelHandle m_process;
    CKernelHandle m_thread;
};

std::string Upper(std::string text)
{
    ::CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// The paths from index `first` on, in capitals, sorted: the system's case and the
// process list's order are not what is tested.
std::vector<std::string> Comparable(const std::vector<std::string>& paths, size_t first = 0)
{
    std::vector<std::string> items;
    for (size_t i = first; i < paths.size(); ++i)
        items.push_back(Upper(paths[i]));
    std::sort(items.begin(), items.end());
    return items;
}

std::vector<std::string> Items(const CStringArray& images)
{
    std::vector<std::string> items;
    for (int i = 0; i < images.GetSize(); ++i)
        items.push_back(static_cast<const char*>(images[i]));
    return items;
}

std::string ShortForm(const std::string& path)
{
    char shortPath[MAX_PATH] = "";
    const DWORD length = ::GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    return length > 0 && length < MAX_PATH ? shortPath : path;
}

} // namespace

TEST(RunningProcesses, FindsProgramsInsideAFolderOnlyAtASeparator)
{
    TempDir dir("procs");
    const std::string suite = dir / "Suite Collège";
    const std::string app = suite + "\\Kerbanista.exe";
    const std::string deep = suite + "\\Outils\\Quill.exe";
    const std::string sibling = dir / "Suite Collège2\\Autre.exe";
    ASSERT_TRUE(MakeFolders(suite + "\\Outils"));
    ASSERT_TRUE(MakeFolders(dir / "Suite Collège2"));
    for (const std::string& image : {app, deep, sibling})
        ASSERT_TRUE(CopyStub(image)) << image;
    SuspendedProcess running[] = {SuspendedProcess(app), SuspendedProcess(deep), SuspendedProcess(sibling)};
    for (const SuspendedProcess& process : running)
        ASSERT_TRUE(process.Started());

    struct Case {
        const char* label;
        std::string folder;
        std::vector<std::string> expected;
    };
    std::string slashes = suite + "\\\\";
    std::replace(slashes.begin(), slashes.end(), '\\', '/');
    const std::vector<std::string> both = {app, deep};
    const Case cases[] = {
        {"the folder", suite, both},
        {"another case", Upper(suite), both},
        {"slashes and a trailing separator", slashes, both},
        {"the 8.3 form", ShortForm(suite), both},
        {"a subfolder", suite + "\\Outils", {deep}},
        {"the sibling sharing the prefix", dir / "Suite Collège2", {sibling}},
        {"a prefix that is no folder", dir / "Suite Coll", {}},
        {"a folder nothing runs from", dir / "Vide", {}},
        {"no folder", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label + (": " + c.folder));
        CStringArray images;
        images.Add("kept");
        ASSERT_TRUE(FindProcessesInFolder(c.folder.c_str(), images));
        ASSERT_GE(images.GetSize(), 1);
        EXPECT_EQ("kept", std::string(images[0])) << "appended to";
        EXPECT_EQ(Comparable(c.expected), Comparable(Items(images), 1));
    }
}

TEST(RunningProcesses, LeavesOutTheCallerButNotAnotherCopyOfIt)
{
    char self[MAX_PATH] = "";
    ASSERT_GT(::GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    std::string folder(self);
    folder.resize(folder.rfind('\\'));
    SuspendedProcess twin(self);
    ASSERT_TRUE(twin.Started());
    CStringArray images;
    ASSERT_TRUE(FindProcessesInFolder(folder.c_str(), images));
    const std::vector<std::string> found = Comparable(Items(images));
    EXPECT_EQ(1, std::count(found.begin(), found.end(), Upper(self))) << "the twin only";
}
