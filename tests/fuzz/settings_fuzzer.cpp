// Any bytes as a settings file: reads must neither crash nor hang, and a write must keep the file readable.
#include "storage/settings_store.h"
#include "storage/storage_error.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/brumvelda-settings-fuzz-" + std::to_string(::getpid()) + ".ini";
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    } else {
        return 0;
    }

    storage::SettingsStore store;
    store.setPath(path);
    for (const char* key : {"MaxHiba", "ExactLevel"})
        store.ReadSettingInt("Main", key, 10);
    for (const char* key : {"Language", "Level", "Categories"})
        store.ReadSettingInt("Last", key, 1);
    std::string user = store.ReadSettingStr("Last", "User", "");
    if (user.size() > 2047)
        __builtin_trap();

    // Whatever the file held, what is written reads back.
    try {
        store.WriteSettingStr("Last", "User", "Anna");
        if (store.ReadSettingStr("Last", "User", "") != "Anna")
            __builtin_trap();
    } catch (const storage::StorageError&) {
    }
    std::remove(path.c_str());
    return 0;
}
