#pragma once
// Setting and removing environment variables in tests, on every platform.
#include <clocale>
#include <cstdlib>
#include <string>

namespace kestrel::test {

inline void setEnvironment(const std::string& name, const std::string& value)
{
#ifdef _WIN32
    // An empty value removes the variable there; no test tells the two apart.
    ::_putenv_s(name.c_str(), value.c_str());
#else
    ::setenv(name.c_str(), value.c_str(), 1);
#endif
}

inline void unsetEnvironment(const std::string& name)
{
#ifdef _WIN32
    ::_putenv_s(name.c_str(), "");
#else
    ::unsetenv(name.c_str());
#endif
}

// The environment every test program starts from: the C library formats
// numbers with ".", and the user's default locale reads as US English unless
// a test sets another one itself. Tests that need a comma pass "," as the
// decimal separator explicitly.
inline void pinTestEnvironment()
{
    std::setlocale(LC_ALL, "C");
    for (const char* name : {"LC_ALL", "LC_NUMERIC", "LC_MESSAGES", "KESTREL_CONFIG_DIR"})
        unsetEnvironment(name);
    setEnvironment("LANG", "en_US.UTF-8");
}

} // namespace kestrel::test
