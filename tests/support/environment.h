#pragma once
// Setting and removing environment variables in tests, on every platform.
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

} // namespace kestrel::test
