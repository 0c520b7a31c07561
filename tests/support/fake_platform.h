// Every platform stand-in wired together as the window's logic uses them.
#pragma once

#include "core/redirect_run.h"
#include "platform/fake/memory_registry.h"
#include "platform/fake/memory_versions.h"
#include "platform/fake/recorders.h"
#include "platform/fake/recording_registry.h"
#include "platform/fake/scratch_directories.h"
#include "platform/fake/scripted_shell.h"
#include "support/host_code_page.h"
#include "support/scratch_dir.h"
#include "ui/frm_main.h"

namespace tarnwick::testing {

struct FakePlatform {
    ScratchDir scratch;
    fake::MemoryRegistry registry;
    fake::RecordingRegistry recorder{registry};
    ModReg modReg{recorder, HostCodePage()};
    fake::ScriptedShell shellApi{HostCodePage()};
    ModRegShell shell{shellApi, HostCodePage()};
    fake::MessageRecorder messages;
    fake::ScratchDirectories directories{scratch.path()};
    fake::ProcessRecorder processes;
    RedirectServices services{modReg,
                              shell,
                              {messages, directories, HostCodePage()},
                              processes,
                              {{u"用户配置文件夹", u"C:\\Users\\amy"},
                               {u"Windows 文件夹", u"C:\\windows"},
                               {u"Program Files 文件夹", u"C:\\Program Files"}}};
    fake::MemoryVersions versionsApi;
    ModFileVersion versions{versionsApi, HostCodePage()};
    ProgramFile program{u"C:\\Program Files\\Tarnwick", u"Tarnwick.exe"};
    VersionStep versionStep{versions, [this] { return program; }};
};

}  // namespace tarnwick::testing
