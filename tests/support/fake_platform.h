// Every platform stand-in wired together as the window's logic uses them.
#pragma once

#include "core/run_services.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "fakes/recorders.h"
#include "fakes/recording_registry.h"
#include "fakes/scripted_shell.h"
#include "fakes/version_answers.h"
#include "support/host_code_page.h"
#include "ui/frm_main.h"

namespace tarnwick::testing {

struct FakePlatform {
    fake::MemoryRegistry registry{HostCodePage()};
    fake::RecordingRegistry recorder{registry};
    ModReg modReg{recorder, HostCodePage()};
    fake::ScriptedShell shellApi;
    ModRegShell shell{shellApi, HostCodePage()};
    fake::MessageRecorder messages;
    fake::MemoryFileSystem files;
    fake::ProcessRecorder processes;
    fake::KnownFolderList knownFolders{{{u"用户配置文件夹", u"C:\\Users\\amy"},
                                        {u"桌面", u"C:\\Users\\amy\\Desktop"},
                                        {u"文档", u"C:\\Users\\amy\\Documents"},
                                        {u"Windows 文件夹", u"C:\\windows"}}};
    fake::EnvironmentRecorder environment;
    fake::JournalShelf journal;
    RedirectServices services{modReg,    shell,        files,       HostCodePage(),
                              processes, knownFolders, environment, journal};
    fake::VersionAnswers versionsApi;
    ModFileVersion versions{versionsApi, HostCodePage()};
    ProgramFile program{u"C:\\Program Files\\Tarnwick", u"Tarnwick.exe"};
    VersionStep versionStep{versions, [this] { return program; }};
};

}  // namespace tarnwick::testing
