#pragma once

// Runs a program as the POSIX shell lines of the command line tests do, for the Windows
// build of those tests: the same words, environment, folder and redirections, with no shell.

#ifdef _WIN32

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace velmora {

// The words of text as a POSIX shell splits them: blanks separate, single quotes group, and
// '\'' is a quote inside a quoted word.
inline std::vector<std::string> ShellWords(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  bool escaped = false;
  for (const char c : text) {
    if (escaped) {
      word += c;
      escaped = false;
    } else if (c == '\'') {
      quoted = !quoted;
      inWord = true;
    } else if (c == '\\' && !quoted) {
      escaped = true;
      inWord = true;
    } else if (c == ' ' && !quoted) {
      if (inWord) {
        words.push_back(word);
      }
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) {
    words.push_back(word);
  }
  return words;
}

inline std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) {
    return {};
  }
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
  return wide;
}

// One argument as the C runtime's command line parser reads it back.
inline std::wstring CommandLineArgument(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote escaped.
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

// Our environment without any VELMORA_ variable, then the NAME=value words given.
inline std::wstring EnvironmentBlock(const std::vector<std::string>& settings) {
  std::wstring block;
  wchar_t* inherited = GetEnvironmentStringsW();
  for (const wchar_t* entry = inherited; *entry != L'\0'; entry += wcslen(entry) + 1) {
    if (std::wstring_view(entry).substr(0, 8) != L"VELMORA_") {
      block.append(entry).push_back(L'\0');
    }
  }
  FreeEnvironmentStringsW(inherited);
  for (const std::string& setting : settings) {
    block.append(Wide(setting)).push_back(L'\0');
  }
  return block + L'\0';
}

inline HANDLE InheritableFile(const std::filesystem::path& file, DWORD access, DWORD creation) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, creation,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The program's exit status, or -1 when it could not start or ran past the time limit (it
// is then ended, so a hanging run fails its test instead of the whole suite).
inline int RunChild(const std::string& program, const std::vector<std::string>& args,
                    const std::vector<std::string>& environment,
                    const std::filesystem::path& folder, const std::filesystem::path& out,
                    const std::filesystem::path& err, DWORD timeoutMs = 60000) {
  std::wstring commandLine = CommandLineArgument(Wide(program));
  for (const std::string& arg : args) {
    commandLine += L" " + CommandLineArgument(Wide(arg));
  }
  std::wstring block = EnvironmentBlock(environment);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = InheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = InheritableFile(out, GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = InheritableFile(err, GENERIC_WRITE, CREATE_ALWAYS);
  PROCESS_INFORMATION process{};
  int status = -1;
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                     CREATE_UNICODE_ENVIRONMENT, block.data(),
                     folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(process.hProcess, &code);
      status = static_cast<int>(code);
    } else {
      TerminateProcess(process.hProcess, 1);
      WaitForSingleObject(process.hProcess, INFINITE);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    if (handle != INVALID_HANDLE_VALUE) {
      CloseHandle(handle);
    }
  }
  return status;
}

}  // namespace velmora

#endif
