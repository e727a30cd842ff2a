// The stand-in sibling libraries as the plug-in meets them: built .dll files beside the program,
// opened by path, entries bound by name, every call recorded in ROOT/FSYS/Siblings.log.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/install_root.h"
#include "platform/library_loader.h"
#include "support/fake_host.h"
#include "support/temporary_installation.h"
#include "tarvel/contract.h"

namespace {

using tarvel::testing::TemporaryInstallation;

const std::vector<std::string> kSwitchVariables = {"TARVEL_FAIL_LOAD", "TARVEL_FAIL_SEND",
                                                   "TARVEL_FAIL_UNLOAD", "TARVEL_SEND_MILLISECONDS",
                                                   "TARVEL_SEND_SECONDS"};

class SiblingLibraries : public ::testing::Test {
 protected:
  void SetUp() override {
    // The libraries carry their own copy of the platform layer, so they find the root through
    // the environment only.
    setenv(tarvel::platform::kInstallationRootVariable, installation_.root().c_str(), 1);
    for (const auto& variable : kSwitchVariables) unsetenv(variable.c_str());
  }

  void TearDown() override {
    for (const auto& [name, library] : libraries_) dlclose(library);
    for (const auto& variable : kSwitchVariables) unsetenv(variable.c_str());
    unsetenv(tarvel::platform::kInstallationRootVariable);
  }

  void* open(const std::string& fileName) {
    if (auto found = libraries_.find(fileName); found != libraries_.end()) return found->second;
    const auto path = tarvel::platform::programFolder() / fileName;
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) throw std::runtime_error("cannot open " + path.string());
    libraries_[fileName] = library;
    return library;
  }

  template <typename Entry>
  Entry entry(const std::string& fileName, const char* name) {
    auto* address = dlsym(open(fileName), name);
    if (address == nullptr) throw std::runtime_error(fileName + " lacks " + name);
    return reinterpret_cast<Entry>(address);
  }

  tarvel::sibling::LoadEntry load(const std::string& fileName) {
    return entry<tarvel::sibling::LoadEntry>(fileName, "Load");
  }

  // The log's lines without their CR LF; fails the test when a line does not end in CR LF.
  std::vector<std::string> logLines() const {
    const std::string text =
        TemporaryInstallation::readFile(installation_.root() / "FSYS" / "Siblings.log");
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
      const auto end = text.find("\r\n", start);
      if (end == std::string::npos) {
        ADD_FAILURE() << "line without CR LF: " << text.substr(start);
        break;
      }
      lines.push_back(text.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }

  TemporaryInstallation installation_;
  tarvel::testing::FakeHost host_;
  std::map<std::string, void*> libraries_;
};

TEST_F(SiblingLibraries, ExportExactlyTheirOwnEntries) {
  const std::vector<std::string> allEntries = {
      "Load",         "UnLoad",        "AutoSendInet",     "AutoSendInetFromOffice",
      "AutoSendMail", "AutoSendModem", "PrepareDataZumbra"};
  const std::map<std::string, std::set<std::string>> expected = {
      {"Orvaly.dll", {"Load", "UnLoad"}},
      {"Kestrin.dll", {"Load", "AutoSendInet", "AutoSendInetFromOffice", "UnLoad"}},
      {"Pellow.dll", {"Load", "AutoSendMail", "UnLoad"}},
      {"Dravik.dll", {"Load", "AutoSendModem", "UnLoad"}},
      {"Zumbra.dll", {"PrepareDataZumbra"}},
  };
  for (const auto& [fileName, entries] : expected) {
    void* library = open(fileName);
    for (const auto& name : allEntries) {
      EXPECT_EQ(dlsym(library, name.c_str()) != nullptr, entries.count(name) == 1)
          << fileName << " " << name;
    }
  }
}

TEST_F(SiblingLibraries, RecordEveryCallOneCp1251LinePerCall) {
  load("Orvaly.dll")(42, 0, &host_);
  load("Kestrin.dll")(7, 1, nullptr);
  entry<tarvel::sibling::LoadEntry>("Zumbra.dll", "PrepareDataZumbra")(42, 2, &host_);
  auto null = tarvel::HostVariant::null();
  entry<tarvel::sibling::AutoSendInetFromOfficeEntry>("Kestrin.dll", "AutoSendInetFromOffice")(
      "\xc0\xc7\xd1 2", 102, &null);  // "АЗС 2"
  auto text = tarvel::HostVariant::fromText("x");
  entry<tarvel::sibling::AutoSendInetFromOfficeEntry>("Kestrin.dll", "AutoSendInetFromOffice")(
      "", -5, &text);
  entry<tarvel::sibling::AutoSendEntry>("Pellow.dll", "AutoSendMail")();
  entry<tarvel::sibling::UnLoadEntry>("Kestrin.dll", "UnLoad")();

  const std::vector<std::string> expected = {
      "Orvaly.dll Load(42,0,callback)",
      "Kestrin.dll Load(7,1,null)",
      "Zumbra.dll PrepareDataZumbra(42,2,callback)",
      "Kestrin.dll AutoSendInetFromOffice(\xc0\xc7\xd1 2,102,Null)",
      "Kestrin.dll AutoSendInetFromOffice(\xc0\xc7\xd1 2,102,Null) finished",
      "Kestrin.dll AutoSendInetFromOffice(,-5,\"x\")",
      "Kestrin.dll AutoSendInetFromOffice(,-5,\"x\") finished",
      "Pellow.dll AutoSendMail()",
      "Pellow.dll AutoSendMail() finished",
      "Kestrin.dll UnLoad()",
  };
  EXPECT_EQ(logLines(), expected);
  // The libraries never call back into the host on their own.
  EXPECT_TRUE(host_.calls.empty());
}

TEST_F(SiblingLibraries, CreateTheLogFolderWhenMissing) {
  std::filesystem::remove_all(installation_.root() / "FSYS");
  entry<tarvel::sibling::AutoSendEntry>("Dravik.dll", "AutoSendModem")();
  EXPECT_EQ(logLines(), (std::vector<std::string>{"Dravik.dll AutoSendModem()",
                                                  "Dravik.dll AutoSendModem() finished"}));
}

TEST_F(SiblingLibraries, FailLoadSwitchMakesTheNamedLibrariesThrowAfterLogging) {
  setenv("TARVEL_FAIL_LOAD", "kestrin.DLL, Zumbra.dll", 1);
  EXPECT_THROW(load("Kestrin.dll")(1, 0, &host_), std::runtime_error);
  EXPECT_THROW(entry<tarvel::sibling::LoadEntry>("Zumbra.dll", "PrepareDataZumbra")(1, 0, &host_),
               std::runtime_error);
  EXPECT_NO_THROW(load("Pellow.dll")(1, 0, &host_));
  EXPECT_NO_THROW(entry<tarvel::sibling::UnLoadEntry>("Kestrin.dll", "UnLoad")());
  EXPECT_EQ(logLines(),
            (std::vector<std::string>{"Kestrin.dll Load(1,0,callback)",
                                      "Zumbra.dll PrepareDataZumbra(1,0,callback)",
                                      "Pellow.dll Load(1,0,callback)", "Kestrin.dll UnLoad()"}));
}

TEST_F(SiblingLibraries, FailSwitchesForSendAndUnLoad) {
  setenv("TARVEL_FAIL_SEND", "*", 1);
  setenv("TARVEL_FAIL_UNLOAD", "Dravik.dll", 1);
  EXPECT_THROW(entry<tarvel::sibling::AutoSendEntry>("Dravik.dll", "AutoSendModem")(),
               std::runtime_error);
  EXPECT_THROW(entry<tarvel::sibling::AutoSendEntry>("Kestrin.dll", "AutoSendInet")(),
               std::runtime_error);
  EXPECT_THROW(entry<tarvel::sibling::UnLoadEntry>("Dravik.dll", "UnLoad")(), std::runtime_error);
  EXPECT_NO_THROW(load("Dravik.dll")(0, 0, &host_));
  EXPECT_NO_THROW(entry<tarvel::sibling::UnLoadEntry>("Orvaly.dll", "UnLoad")());
  // A failed send never reports itself finished.
  EXPECT_EQ(logLines(),
            (std::vector<std::string>{"Dravik.dll AutoSendModem()", "Kestrin.dll AutoSendInet()",
                                      "Dravik.dll UnLoad()", "Dravik.dll Load(0,0,callback)",
                                      "Orvaly.dll UnLoad()"}));
}

TEST_F(SiblingLibraries, SlowSendStillWritesAStartAndAnEndLine) {
  setenv("TARVEL_SEND_MILLISECONDS", "30", 1);
  entry<tarvel::sibling::AutoSendEntry>("Pellow.dll", "AutoSendMail")();
  EXPECT_EQ(logLines(), (std::vector<std::string>{"Pellow.dll AutoSendMail()",
                                                  "Pellow.dll AutoSendMail() finished"}));
}

}  // namespace
