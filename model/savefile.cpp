#include "savefile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

#if __has_include(<unistd.h>)
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::error_code lastError()
{
    return {errno, std::generic_category()};
}

// Everything written and on the disk; the error where not.
std::error_code writeAll(std::FILE* file, std::string_view bytes)
{
    std::error_code error;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fflush(file) != 0)
        error = lastError();
#if __has_include(<unistd.h>)
    // A pipe or a terminal has nothing to sync.
    if (!error && fsync(fileno(file)) != 0 && errno != EINVAL && errno != EROFS)
        error = lastError();
#endif
    if (std::fclose(file) != 0 && !error)
        error = lastError();
    return error;
}

// A new file beside `target`, opened for writing, that nothing else has.
std::FILE* createBeside(const fs::path& target, fs::path& created, std::error_code& error)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = target;
        created.replace_filename("." + target.filename().string() + '.' + std::to_string(attempt) +
                                 ".tmp");
        // "x": fails where the name is taken, rather than writing into another's file.
        if (std::FILE* file = std::fopen(created.string().c_str(), "wbx"))
            return file;
        error = lastError();
        if (error != std::errc::file_exists)
            return nullptr;
    }
    return nullptr;
}

} // namespace

std::string systemErrorText(std::error_code error)
{
    struct Words
    {
        std::errc condition;
        const char* text;
    };
    static const Words words[] = {
        {std::errc::no_such_file_or_directory, "няма такъв файл или папка"},
        {std::errc::permission_denied, "няма право на запис"},
        {std::errc::operation_not_permitted, "няма право на запис"},
        {std::errc::no_space_on_device, "няма място на диска"},
        {std::errc::is_a_directory, "това е папка"},
        {std::errc::not_a_directory, "част от пътя не е папка"},
        {std::errc::read_only_file_system, "дискът е само за четене"},
        {std::errc::filename_too_long, "името е твърде дълго"},
        {std::errc::file_too_large, "файлът е твърде голям"},
        {std::errc::too_many_symbolic_link_levels, "твърде много символни връзки"},
        {std::errc::io_error, "грешка на устройството"},
        {std::errc::device_or_resource_busy, "файлът е зает"},
        {std::errc::text_file_busy, "файлът е зает"},
        {std::errc::too_many_files_open, "твърде много отворени файлове"},
        {std::errc::too_many_files_open_in_system, "твърде много отворени файлове"},
        {std::errc::broken_pipe, "изходът е затворен"},
        {std::errc::bad_file_descriptor, "изходът е затворен"},
        {std::errc::invalid_argument, "неприемливо име или вид на файла"},
        {std::errc::no_such_device_or_address, "устройството не е достъпно"},
        {std::errc::not_enough_memory, "няма достатъчно памет"},
    };
    for (const Words& entry : words) {
        if (error == entry.condition)
            return entry.text;
    }
#ifdef EDQUOT
    if (error == std::error_code(EDQUOT, std::generic_category()) ||
        error == std::error_code(EDQUOT, std::system_category()))
        return "надхвърлена е квотата на диска";
#endif
    return "системна грешка " + std::to_string(error.value());
}

std::optional<std::string> replaceFile(const std::string& path, std::string_view bytes)
{
    std::error_code error;
    fs::path target(path);
    const fs::file_status status = fs::status(target, error);
    if (fs::is_directory(status))
        return systemErrorText(std::make_error_code(std::errc::is_a_directory));
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file)
            return systemErrorText(lastError());
        if (const std::error_code written = writeAll(file, bytes))
            return systemErrorText(written);
        return std::nullopt;
    }
    if (fs::is_symlink(fs::symlink_status(target, error))) {
        const fs::path resolved = fs::weakly_canonical(target, error);
        if (error)
            return systemErrorText(error);
        target = resolved;
    }

    fs::path created;
    std::FILE* file = createBeside(target, created, error);
    if (!file) {
        std::error_code ignored;
        const fs::path folder = target.parent_path();
        if (error == std::errc::no_such_file_or_directory && !folder.empty() &&
            !fs::exists(folder, ignored))
            return "папката „" + folder.string() + "“ не съществува";
        return systemErrorText(error);
    }
    error = writeAll(file, bytes);
    if (!error && fs::exists(status))
        fs::permissions(created, status.permissions(), error);
    if (!error)
        fs::rename(created, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(created, ignored);
        return systemErrorText(error);
    }
    return std::nullopt;
}
