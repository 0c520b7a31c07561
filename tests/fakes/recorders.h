// Stand-ins that record what the program asked for: message boxes, hidden processes, the
// environment broadcast; and a fixed list of the folders Windows reports.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/console_api.h"
#include "platform/environment_api.h"
#include "platform/journal_store_api.h"
#include "platform/known_folders_api.h"
#include "platform/message_box_api.h"
#include "platform/process_api.h"

namespace tarnwick::fake {

struct ShownMessage {
    std::u16string text;
    std::u16string title;
    std::uint32_t style;
    bool operator==(const ShownMessage&) const = default;
};

class MessageRecorder : public MessageBoxApi {
  public:
    int Show(std::u16string_view text, std::u16string_view title, std::uint32_t style) override {
        shown.push_back({std::u16string(text), std::u16string(title), style});
        return (style & kMbYesNo) ? answerToQuestions : 1;  // IDOK
    }
    std::vector<ShownMessage> shown;
    int answerToQuestions = kIdNo;
};

class ProcessRecorder : public ProcessApi {
  public:
    void StartHidden(std::u16string_view commandLine) override {
        if (failToStart) {
            throw ProcessStartError("the command interpreter could not be started");
        }
        started.emplace_back(commandLine);
    }
    std::vector<std::u16string> started;
    bool failToStart = false;
};

class ConsoleRecorder : public ConsoleApi {
  public:
    void Write(std::u16string_view more) override { text += more; }
    std::u16string text;
};

class EnvironmentRecorder : public EnvironmentApi {
  public:
    void AnnounceEnvironmentChange() override { ++announcements; }
    int announcements = 0;
};

// Journals kept in memory, by a path of their own.
class JournalShelf : public JournalStoreApi {
  public:
    std::optional<std::u16string> Save(const std::string& bytes) override {
        if (onSave) {
            onSave();
        }
        if (failToSave) {
            return std::nullopt;
        }
        saved.push_back(bytes);
        return Newest();
    }
    std::optional<std::u16string> Newest() override {
        if (saved.empty()) {
            return std::nullopt;
        }
        const std::string number = std::to_string(saved.size());
        return u"C:\\journals\\" + std::u16string(number.begin(), number.end()) + u".reg";
    }
    std::optional<std::string> Read(std::u16string_view path) override {
        for (std::size_t i = 0; i < saved.size(); ++i) {
            const std::string number = std::to_string(i + 1);
            if (path ==
                u"C:\\journals\\" + std::u16string(number.begin(), number.end()) + u".reg") {
                return saved[i];
            }
        }
        return std::nullopt;
    }
    std::optional<std::u16string> Folder() override { return folder; }
    std::u16string folder = u"C:\\journals";
    std::vector<std::string> saved;
    bool failToSave = false;
    std::function<void()> onSave;
};

class KnownFolderList : public KnownFoldersApi {
  public:
    explicit KnownFolderList(std::vector<NamedFolder> folders) : folders(std::move(folders)) {}
    std::vector<NamedFolder> ProtectedFolders() override { return folders; }
    std::vector<NamedFolder> folders;
};

}  // namespace tarnwick::fake
