#include "shellmenu/StoreReader.h"

#include <cstring>

#include "shellmenu/HandlerRegistry.h"

namespace orv::shellmenu {

namespace {

// The handler only reads. The shell runs without the right to write below HKEY_LOCAL_MACHINE on
// any system with user account control, so asking for full access there would hide every entry.
constexpr REGSAM kReadAccess = KEY_READ;
// Names looked at per reading: far more than the store ever holds, few enough that a store filled
// with thousands of keys that do not open cannot keep the shell waiting.
constexpr DWORD kMaxNamesExamined = 256;
constexpr DWORD kKeyNameChars = 256;

// Converts to the ANSI code page; false when it does not fit `bytes` (terminating NUL included).
bool ToAnsi(const wchar_t* text, char* buffer, int bytes) {
    buffer[0] = '\0';
    if (WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, bytes, nullptr, nullptr) == 0) {
        buffer[0] = '\0';
        return false;
    }
    buffer[bytes - 1] = '\0';
    return true;
}

// The entry of one subkey. A missing default value reads as an empty path; a value that is not
// text, or a path that does not fit its slot, names no picture that could be applied: no entry.
bool ReadEntry(HKEY entryKey, const wchar_t* name, StoreEntry& entry) {
    wchar_t picture[kPathChars];
    const TextRead read = ReadText(entryKey, nullptr, picture, kPathChars);
    if (read == TextRead::WrongType || read == TextRead::TooLong) return false;
    return ToAnsi(picture, entry.picture, kPathChars) && ToAnsi(name, entry.caption, kCaptionBytes);
}

void ReadEntries(StoreSnapshot& snapshot) {
    ScopedKey store = ScopedKey::Open(HKEY_LOCAL_MACHINE, kBuild.storeKey, kReadAccess);
    if (!store) return;
    // Entries beyond the slots are not kept; the first ones in enumeration order are.
    for (DWORD index = 0; snapshot.count < kBuild.maxEntries && index < kMaxNamesExamined; ++index) {
        wchar_t name[kKeyNameChars];
        DWORD nameChars = kKeyNameChars;
        const LSTATUS status =
            RegEnumKeyExW(store.get(), index, name, &nameChars, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA) continue; // longer than a key name can be: not an entry
        if (status != ERROR_SUCCESS) break;
        name[kKeyNameChars - 1] = L'\0';
        // A subkey that vanished or does not open gets no number.
        ScopedKey entryKey = ScopedKey::Open(store.get(), name, kReadAccess);
        if (entryKey && ReadEntry(entryKey.get(), name, snapshot.entries[snapshot.count])) ++snapshot.count;
    }
}

// The last reading and what tells whether it still holds: a change notification on the branch
// (subkeys included), which covers the store, "Language" and the store's removal.
class StoreCache {
  public:
    StoreCache() = default;
    StoreCache(const StoreCache&) = delete;
    StoreCache& operator=(const StoreCache&) = delete;
    ~StoreCache() {
        StopWatching();
        if (changed_) CloseHandle(changed_);
    }

    void Current(StoreSnapshot& snapshot) {
        AcquireSRWLockExclusive(&lock_);
        if (!IsFresh()) {
            // Watch first, then read: a change made during the reading is not missed.
            valid_ = Watch();
            snapshot_ = StoreSnapshot();
            ReadStore(snapshot_);
        }
        std::memcpy(&snapshot, &snapshot_, sizeof(snapshot));
        ReleaseSRWLockExclusive(&lock_);
    }

  private:
    bool IsFresh() const {
        if (!valid_ || WaitForSingleObject(changed_, 0) != WAIT_TIMEOUT) return false;
        // A branch that was deleted reports nothing more: make sure it is still there.
        return RegQueryInfoKeyW(watched_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

    bool Watch() {
        StopWatching();
        if (!changed_) changed_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!changed_ || !ResetEvent(changed_)) return false;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kBuild.branchKey, 0, KEY_NOTIFY | KEY_QUERY_VALUE, &watched_) !=
            ERROR_SUCCESS) {
            watched_ = nullptr;
            return false; // no branch, nothing to watch: every menu reads afresh
        }
        if (RegNotifyChangeKeyValue(watched_, TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                    changed_, TRUE) != ERROR_SUCCESS) {
            StopWatching();
            return false;
        }
        return true;
    }

    void StopWatching() {
        if (watched_) RegCloseKey(watched_);
        watched_ = nullptr;
    }

    SRWLOCK lock_ = SRWLOCK_INIT;
    HKEY watched_ = nullptr;
    HANDLE changed_ = nullptr;
    bool valid_ = false;
    StoreSnapshot snapshot_;
};

StoreCache gStoreCache;

} // namespace

void ReadStore(StoreSnapshot& snapshot) {
    snapshot.count = 0;
    ReadEntries(snapshot);
    snapshot.language = kBuild.captionRule == CaptionRule::ByLanguage ? ReadMenuLanguage() : 0;
}

void CurrentStore(StoreSnapshot& snapshot) {
    gStoreCache.Current(snapshot);
}

DWORD ReadMenuLanguage() {
    ScopedKey branch = ScopedKey::Open(HKEY_LOCAL_MACHINE, kBuild.branchKey, kReadAccess);
    DWORD language = 0;
    if (!branch || !ReadDword(branch.get(), L"Language", language)) return 0;
    return language;
}

} // namespace orv::shellmenu
