#include "ModuleDataCheck.h"

#include <set>

namespace FuzzSupport {

namespace {

constexpr size_t MaxText = 255;

enum class Value { Level, NotANumber, Dropped };

bool IsSpace (char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The value text read as a decimal number: leading white space, a sign, digits; the rest ignored.
Value ReadValue (const std::string& text, int16_t* level)
{
    size_t i = 0;
    while (i < text.size () && IsSpace (text[i]))
        ++i;
    bool negative = false;
    if (i < text.size () && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i >= text.size () || text[i] < '0' || text[i] > '9')
        return Value::NotANumber;
    long number = 0;
    for (; i < text.size () && text[i] >= '0' && text[i] <= '9'; ++i)
        if (number < 1000)
            number = number * 10 + (text[i] - '0');
    if (negative)
        number = -number;
    if (number < 0 || number > 4)
        return Value::Dropped;
    *level = static_cast<int16_t> (number);
    return Value::Level;
}

}   // namespace

Levels ReferenceRead (const std::string& bytes)
{
    Levels levels;
    std::set<std::string> seen;
    int16_t running = 3;
    size_t pos = 0;
    while (pos < bytes.size ()) {
        const size_t keyEnd = bytes.find ('\0', pos);
        if (keyEnd == std::string::npos || keyEnd + 1 >= bytes.size ())
            break;
        const size_t valueEnd = bytes.find ('\0', keyEnd + 1);
        if (valueEnd == std::string::npos)
            break;
        const std::string key = bytes.substr (pos, keyEnd - pos);
        const std::string value = bytes.substr (keyEnd + 1, valueEnd - keyEnd - 1);
        pos = valueEnd + 1;
        if (key.size () > MaxText || value.size () > MaxText)
            continue;
        int16_t level = running;
        const Value kind = ReadValue (value, &level);
        if (kind == Value::Dropped)
            continue;
        running = level;
        if (seen.insert (key).second)
            levels.emplace_back (key, level);
    }
    return levels;
}

bool IsCanonicalBlock (const std::string& bytes)
{
    std::set<std::string> seen;
    size_t pos = 0;
    while (pos < bytes.size ()) {
        const size_t keyEnd = bytes.find ('\0', pos);
        if (keyEnd == std::string::npos || keyEnd - pos > MaxText)
            return false;
        if (!seen.insert (bytes.substr (pos, keyEnd - pos)).second)
            return false;
        if (keyEnd + 2 >= bytes.size () || bytes[keyEnd + 1] < '0' || bytes[keyEnd + 1] > '4' ||
            bytes[keyEnd + 2] != '\0')
            return false;
        pos = keyEnd + 3;
    }
    return true;
}

}   // namespace FuzzSupport
