// Session scripts: the line parser (one table of actions) and the runner.
//
// Grammar, one action per line; words are separated by blanks; a word that starts with `#` starts
// a comment that runs to the end of the line; blank lines are ignored:
//   line    = action { word } [ comment ]
//   number  = [ "-" ] digit { digit }            (decimal, range-checked per place)
//   mods    = { "command" | "option" | "shift" } (each at most once)
//   answer  = "answer" [ DIALOG ] ( "click" ITEM | "check" ITEM | "uncheck" ITEM | "select" ITEM ROW
//           | "list-click" ITEM ROW X mods | "double-click" ITEM ROW X mods
//           | "hotkey" [ KEY mods ] | "close-box" | "done" )
//   fail    = "fail" OPERATION CODE [ FIRST [ COUNT ] ]   (CODE decimal, or hex after "0x")
// The other actions and their words are the table `actions` below.
#include "SessionScript.h"

#include "dg/CreationFailures.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>

namespace HostSim {

namespace {

constexpr Int32 MaxInt16 = std::numeric_limits<Int16>::max ();
constexpr Int32 MaxInt32 = std::numeric_limits<Int32>::max ();

struct ParseError {
    std::string message;
};

// The words of one line and the place reached; every Take* names what it expected when it fails.
class Words {
public:
    Words (std::vector<std::string> words, std::string action) : words (std::move (words)), action (std::move (action))
    {
    }

    bool AtEnd () const { return next >= words.size (); }
    const std::string& Peek () const { return words[next]; }

    [[noreturn]] void Expected (const std::string& what) const
    {
        const std::string found = AtEnd () ? std::string ("the end of the line") : "'" + words[next] + "'";
        throw ParseError{action + ": expected " + what + ", found " + found};
    }

    std::string TakeWord (const std::string& what)
    {
        if (AtEnd ())
            Expected (what);
        return words[next++];
    }

    Int32 TakeNumber (const std::string& what, Int32 low, Int32 high)
    {
        const std::string expected = what + " (" + std::to_string (low) + " to " + std::to_string (high) + ")";
        if (AtEnd () || !IsNumber (words[next]))
            Expected (expected);
        const std::string& word = words[next];
        const bool negative = word[0] == '-';
        long long value = 0;
        for (size_t i = negative ? 1 : 0; i < word.size (); ++i) {
            value = value * 10 + (word[i] - '0');
            if (value > static_cast<long long> (MaxInt32) + 1)
                Expected (expected);
        }
        value = negative ? -value : value;
        if (value < low || value > high)
            Expected (expected);
        ++next;
        return static_cast<Int32> (value);
    }

    Int16 TakeShort (const std::string& what, Int32 low = 1)
    {
        return static_cast<Int16> (TakeNumber (what, low, MaxInt16));
    }

    DG::Key::Modifiers TakeModifiers ()
    {
        DG::Key::Modifiers modifiers = DG::Key::NoModifier;
        while (!AtEnd ()) {
            const std::string& word = words[next];
            DG::Key::Modifiers flag = word == "command"  ? DG::Key::Command
                                      : word == "option" ? DG::Key::Option
                                      : word == "shift"  ? DG::Key::Shift
                                                         : 0;
            if (flag == 0 || (modifiers & flag) != 0)
                Expected ("a modifier key not named before (command, option, shift) or the end of the line");
            modifiers |= flag;
            ++next;
        }
        return modifiers;
    }

    void End ()
    {
        if (!AtEnd ())
            Expected ("the end of the line");
    }

private:
    static bool IsNumber (const std::string& word)
    {
        const size_t start = !word.empty () && word[0] == '-' ? 1 : 0;
        if (word.size () == start || word.size () - start > 11)
            return false;
        for (size_t i = start; i < word.size (); ++i)
            if (word[i] < '0' || word[i] > '9')
                return false;
        return true;
    }

    std::vector<std::string> words;
    std::string action;
    size_t next = 0;
};

Int16 TakePanel (Words& w)
{
    return w.TakeShort ("a dialog number");
}
// A dialog number, or the word "palette" (0): the one visible modeless window.
Int16 TakeWindow (Words& w)
{
    if (!w.AtEnd () && w.Peek () == "palette") {
        w.TakeWord ("palette");
        return 0;
    }
    if (w.AtEnd () || w.Peek ().empty () || w.Peek ()[0] < '0' || w.Peek ()[0] > '9')
        w.Expected ("a dialog number (1 to 32767) or palette");
    return TakePanel (w);
}

Int16 TakeItem (Words& w)
{
    return w.TakeShort ("an item number");
}
Int16 TakeRow (Words& w)
{
    return w.TakeShort ("a row number");
}
Int32 TakeOffset (Words& w)
{
    return w.TakeNumber ("a horizontal offset in pixels", 0, MaxInt16);
}

DG::Key::Code TakeKey (Words& w)
{
    static const struct {
        const char* name;
        DG::Key::Code code;
    } named[] = {{"enter", DG::Key::Enter},   {"tab", DG::Key::Tab},       {"back", DG::Key::Back},
                 {"delete", DG::Key::Delete}, {"escape", DG::Key::Escape}, {"up", DG::Key::Up},
                 {"down", DG::Key::Down},     {"left", DG::Key::Left},     {"right", DG::Key::Right}};
    const std::string expected = "a key (enter, tab, back, delete, escape, up, down, left, right or one character)";
    if (w.AtEnd ())
        w.Expected (expected);
    const std::string& word = w.Peek ();
    for (const auto& key : named) {
        if (word == key.name) {
            w.TakeWord (expected);
            return key.code;
        }
    }
    if (word.size () == 1 && static_cast<unsigned char> (word[0]) > 0x20 &&
        static_cast<unsigned char> (word[0]) < 0x7F) {
        w.TakeWord (expected);
        return static_cast<unsigned char> (word[0]);
    }
    w.Expected (expected);
}

void ParseAnswer (Words& w, ScriptStep& step)
{
    Int16 dialog = 0;
    if (!w.AtEnd () && !w.Peek ().empty () && (w.Peek ()[0] == '-' || (w.Peek ()[0] >= '0' && w.Peek ()[0] <= '9')))
        dialog = TakePanel (w);
    const std::string kinds =
        "an answer (click, check, uncheck, select, list-click, double-click, hotkey, close-box, done)";
    const std::string kind = w.TakeWord (kinds);
    DG::Answer answer = DG::Answer::Done ();
    if (kind == "click") {
        answer = DG::Answer::Click (TakeItem (w));
    } else if (kind == "check") {
        answer = DG::Answer::Check (TakeItem (w));
    } else if (kind == "uncheck") {
        answer = DG::Answer::Uncheck (TakeItem (w));
    } else if (kind == "select") {
        const Int16 item = TakeItem (w);
        answer = DG::Answer::SelectRow (item, TakeRow (w));
    } else if (kind == "list-click" || kind == "double-click") {
        const Int16 item = TakeItem (w);
        const Int16 row = TakeRow (w);
        const Int32 offset = TakeOffset (w);
        const DG::Key::Modifiers modifiers = w.TakeModifiers ();
        answer = kind == "list-click" ? DG::Answer::ClickRow (item, row, offset, modifiers)
                                      : DG::Answer::DoubleClickRow (item, row, offset, modifiers);
    } else if (kind == "hotkey") {
        const DG::Key::Code key = w.AtEnd () ? DG::Key::Escape : TakeKey (w);
        answer = DG::Answer::HotKey (key, w.TakeModifiers ());
    } else if (kind == "close-box") {
        answer = DG::Answer::CloseBox ();
    } else if (kind == "done") {
        answer = DG::Answer::Done ();
    } else {
        throw ParseError{"answer: expected " + kinds + ", found '" + kind + "'"};
    }
    step.answer = dialog != 0 ? answer.For (dialog) : answer;
}

PrintTarget TakePrintTarget (Words& w)
{
    const std::string expected = "what to print (report, palette, selection, module-data, dialogs, host-calls, menu)";
    const std::string word = w.TakeWord (expected);
    if (word == "report")
        return PrintTarget::Report;
    if (word == "palette")
        return PrintTarget::Palette;
    if (word == "selection")
        return PrintTarget::Selection;
    if (word == "module-data")
        return PrintTarget::ModuleData;
    if (word == "dialogs")
        return PrintTarget::Dialogs;
    if (word == "host-calls")
        return PrintTarget::HostCalls;
    if (word == "menu")
        return PrintTarget::Menu;
    throw ParseError{"print: expected " + expected + ", found '" + word + "'"};
}

// An error code: a whole number, or up to 8 hex digits after "0x" (the form codes are written in).
Int32 TakeCode (Words& w)
{
    const std::string expected = "an error code (a nonzero whole number, or 0x and 1 to 8 hex digits)";
    if (w.AtEnd ())
        w.Expected (expected);
    const std::string word = w.Peek ();
    const bool hex = word.size () > 2 && word.size () <= 10 && word.compare (0, 2, "0x") == 0 &&
                     word.find_first_not_of ("0123456789abcdefABCDEF", 2) == std::string::npos;
    const size_t digitsFrom = !word.empty () && word[0] == '-' ? 1 : 0;
    const bool decimal = word.size () > digitsFrom && word.size () - digitsFrom <= 10 &&
                         word.find_first_not_of ("0123456789", digitsFrom) == std::string::npos;
    long long value = hex ? static_cast<long long> (std::stoull (word.substr (2), nullptr, 16))
                          : decimal ? std::stoll (word) : 0;
    if (hex)
        value = static_cast<Int32> (static_cast<UInt32> (value));
    if (value == 0 || value < std::numeric_limits<Int32>::min () || value > MaxInt32)
        w.Expected (expected);
    w.TakeWord (expected);
    return static_cast<Int32> (value);
}

using ActionParser = void (*) (Words& w, ScriptStep& step);

struct ActionEntry {
    const char* name;
    ScriptAction action;
    ActionParser parse;   // reads the words after the action's name
};

const ActionEntry actions[] = {
    {"menu", ScriptAction::Menu, [] (Words&, ScriptStep&) {}},
    {"click", ScriptAction::Click,
     [] (Words& w, ScriptStep& s) {
         s.panel = TakePanel (w);
         s.item = TakeItem (w);
     }},
    {"radio", ScriptAction::Radio,
     [] (Words& w, ScriptStep& s) {
         s.panel = TakePanel (w);
         s.item = TakeItem (w);
     }},
    {"edit", ScriptAction::Edit,
     [] (Words& w, ScriptStep& s) {
         s.panel = TakePanel (w);
         s.item = TakeItem (w);
         s.number = w.TakeNumber ("a value", std::numeric_limits<Int32>::min (), MaxInt32);
     }},
    {"popup", ScriptAction::PopUp,
     [] (Words& w, ScriptStep& s) {
         s.panel = TakePanel (w);
         s.item = TakeItem (w);
         s.number = w.TakeShort ("a pop-up entry");
     }},
    {"check", ScriptAction::Answer,
     [] (Words& w, ScriptStep& s) {
         const Int16 dialog = TakePanel (w);
         s.answer = DG::Answer::Check (TakeItem (w)).For (dialog);
     }},
    {"uncheck", ScriptAction::Answer,
     [] (Words& w, ScriptStep& s) {
         const Int16 dialog = TakePanel (w);
         s.answer = DG::Answer::Uncheck (TakeItem (w)).For (dialog);
     }},
    {"select-rows", ScriptAction::SelectRows,
     [] (Words& w, ScriptStep& s) {
         s.panel = TakePanel (w);
         s.item = TakeItem (w);
         s.rows.push_back (TakeRow (w));
         while (!w.AtEnd ())
             s.rows.push_back (TakeRow (w));
     }},
    {"list-click", ScriptAction::ListClick,
     [] (Words& w, ScriptStep& s) {
         s.panel = TakePanel (w);
         s.item = TakeItem (w);
         s.row = TakeRow (w);
         s.number = TakeOffset (w);
         s.modifiers = w.TakeModifiers ();
     }},
    {"double-click", ScriptAction::DoubleClick,
     [] (Words& w, ScriptStep& s) {
         s.panel = TakePanel (w);
         s.item = TakeItem (w);
         s.row = TakeRow (w);
         s.number = TakeOffset (w);
         s.modifiers = w.TakeModifiers ();
     }},
    {"resize", ScriptAction::Resize,
     [] (Words& w, ScriptStep& s) {
         s.panel = TakeWindow (w);
         s.number = w.TakeNumber ("a width in pixels", 1, MaxInt16);
         s.height = w.TakeNumber ("a height in pixels", 1, MaxInt16);
     }},
    {"close-box", ScriptAction::CloseBox,
     [] (Words& w, ScriptStep& s) {
         if (!w.AtEnd ())
             s.panel = TakeWindow (w);
     }},
    {"palette-message", ScriptAction::PaletteMessage,
     [] (Words& w, ScriptStep& s) { s.number = w.TakeNumber ("a palette message number", 0, MaxInt32); }},
    {"answer", ScriptAction::Answer, &ParseAnswer},
    {"save", ScriptAction::Save, [] (Words&, ScriptStep&) {}},
    {"close", ScriptAction::Close, [] (Words&, ScriptStep&) {}},
    {"open", ScriptAction::Open, [] (Words& w, ScriptStep& s) { s.path = w.TakeWord ("a project file"); }},
    {"event", ScriptAction::Event,
     [] (Words& w, ScriptStep& s) { s.number = w.TakeNumber ("a project event number", 1, MaxInt32); }},
    {"merge", ScriptAction::Merge, [] (Words& w, ScriptStep& s) { s.path = w.TakeWord ("a project file"); }},
    {"undo", ScriptAction::Undo, [] (Words&, ScriptStep&) {}},
    {"cancel-at-poll", ScriptAction::CancelAtPoll,
     [] (Words& w, ScriptStep& s) { s.number = w.TakeNumber ("a poll number", 1, MaxInt32); }},
    {"print", ScriptAction::Print, [] (Words& w, ScriptStep& s) { s.print = TakePrintTarget (w); }},
    {"fail", ScriptAction::Fail,
     [] (Words& w, ScriptStep& s) {
         s.operation = w.TakeWord ("an operation name or selector");
         s.number = TakeCode (w);
         if (!w.AtEnd ())
             s.first = w.TakeNumber ("the first failing call", 1, MaxInt32);
         if (!w.AtEnd ())
             s.count = w.TakeNumber ("the number of failing calls (0: all)", 0, MaxInt32);
     }},
    {"fail-clear", ScriptAction::FailClear, [] (Words&, ScriptStep&) {}},
    {"fail-creation", ScriptAction::FailCreation,
     [] (Words& w, ScriptStep& s) {
         static const char* const kinds[] = {"palette", "surface", "panel-set", "panel", "separate-panel", "tab-page"};
         const std::string expected =
             "an object kind (palette, surface, panel-set, panel, separate-panel, tab-page)";
         const std::string kind = w.TakeWord (expected);
         s.creation = -1;
         for (Int32 k = 0; k < static_cast<Int32> (std::size (kinds)); ++k)
             if (kind == kinds[k])
                 s.creation = k;
         if (s.creation < 0)
             throw ParseError{"fail-creation: expected " + expected + ", found '" + kind + "'"};
         s.number = w.TakeNumber ("which creation from now on fails (1: the next; 0: none)", 0, MaxInt32);
     }},
};

std::string ActionNames ()
{
    std::string names;
    for (const ActionEntry& entry : actions)
        names += (names.empty () ? "" : ", ") + std::string (entry.name);
    return names;
}

// The words of a line up to its comment.
std::vector<std::string> SplitWords (const std::string& line)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size ()) {
        while (i < line.size () && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= line.size () || line[i] == '#')
            break;
        const size_t start = i;
        while (i < line.size () && line[i] != ' ' && line[i] != '\t')
            ++i;
        words.push_back (line.substr (start, i - start));
    }
    return words;
}

std::string Joined (const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words)
        text += (text.empty () ? "" : " ") + word;
    return text;
}

std::string Resolve (const SessionScript& script, const std::string& path)
{
    if (path.empty () || path[0] == '/' || script.directory.empty ())
        return path;
    return script.directory + "/" + path;
}

Outcome RunStep (Session& session, const SessionScript& script, const ScriptStep& step)
{
    switch (step.action) {
    case ScriptAction::Menu:
        return session.MenuCommand ();
    case ScriptAction::Click:
        return session.Click (step.panel, step.item);
    case ScriptAction::Radio:
        return session.SelectRadio (step.panel, step.item);
    case ScriptAction::Edit:
        return session.TypeValue (step.panel, step.item, step.number);
    case ScriptAction::PopUp:
        return session.ChoosePopUp (step.panel, step.item, static_cast<Int16> (step.number));
    case ScriptAction::SelectRows:
        return session.SelectRows (step.panel, step.item, step.rows);
    case ScriptAction::ListClick:
    case ScriptAction::DoubleClick:
        return session.ListClick (step.panel, step.item, step.row, step.number, step.modifiers,
                                  step.action == ScriptAction::DoubleClick);
    case ScriptAction::Resize:
        return session.Resize (step.panel, step.number, step.height);
    case ScriptAction::CloseBox:
        return session.CloseBox (step.panel);
    case ScriptAction::PaletteMessage:
        return session.PaletteMessage (step.number);
    case ScriptAction::Answer:
        session.QueueAnswer (step.answer, step.line);
        return Outcome::Ok ();
    case ScriptAction::Save:
        return session.Save ();
    case ScriptAction::Close:
        return session.Close ();
    case ScriptAction::Open:
        return session.Open (Resolve (script, step.path));
    case ScriptAction::Event:
        session.DeliverEvent (step.number);
        return Outcome::Ok ();
    case ScriptAction::Merge:
        return session.Merge (Resolve (script, step.path));
    case ScriptAction::Undo:
        return session.Undo ();
    case ScriptAction::CancelAtPoll:
        session.CancelAtPoll (step.number);
        return Outcome::Ok ();
    case ScriptAction::Fail:
        session.FailOperation (step.operation, step.number, step.first, step.count);
        return Outcome::Ok ();
    case ScriptAction::FailClear:
        session.ClearFailures ();
        return Outcome::Ok ();
    case ScriptAction::FailCreation:
        DG::FailCreation (static_cast<DG::Creation> (step.creation), step.number);
        return Outcome::Ok ();
    case ScriptAction::Print:
        return session.Print (step.print);
    }
    return Outcome::Fail ("unknown action");
}

}   // namespace

bool ParseSessionScript (const std::string& fileName, const std::string& text, SessionScript* script,
                         std::string* error)
{
    SessionScript parsed;
    parsed.fileName = fileName;
    Int32 line = 0;
    size_t start = 0;
    while (start < text.size ()) {
        ++line;
        size_t end = text.find ('\n', start);
        if (end == std::string::npos)
            end = text.size ();
        std::string content = text.substr (start, end - start);
        start = end + 1;
        if (!content.empty () && content.back () == '\r')
            content.pop_back ();
        const std::string place = fileName + ":" + std::to_string (line) + ": ";
        if (content.find ('\0') != std::string::npos) {
            *error = place + "a zero byte; expected text";
            return false;
        }
        std::vector<std::string> words = SplitWords (content);
        if (words.empty ())
            continue;
        const ActionEntry* entry = nullptr;
        for (const ActionEntry& candidate : actions)
            if (words[0] == candidate.name)
                entry = &candidate;
        if (entry == nullptr) {
            *error = place + "unknown action '" + words[0] + "'; expected one of " + ActionNames ();
            return false;
        }
        ScriptStep step;
        step.action = entry->action;
        step.line = line;
        step.text = Joined (words);
        try {
            Words rest (std::vector<std::string> (words.begin () + 1, words.end ()), words[0]);
            entry->parse (rest, step);
            rest.End ();
        } catch (const ParseError& e) {
            *error = place + e.message;
            return false;
        }
        parsed.steps.push_back (std::move (step));
    }
    *script = std::move (parsed);
    return true;
}

bool LoadSessionScript (const std::string& path, SessionScript* script, std::string* error)
{
    std::ifstream file (path, std::ios::binary);
    if (!file) {
        *error = path + ": cannot read the session script: " + std::strerror (errno);
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf ();
    if (file.bad ()) {
        *error = path + ": cannot read the session script";
        return false;
    }
    if (!ParseSessionScript (path, text.str (), script, error))
        return false;
    const auto slash = path.rfind ('/');
    script->directory = slash == std::string::npos ? std::string () : path.substr (0, slash == 0 ? 1 : slash);
    return true;
}

Outcome RunSessionScript (Session& session, const SessionScript& script)
{
    for (const ScriptStep& step : script.steps) {
        Outcome outcome;
        try {
            outcome = RunStep (session, script, step);
        } catch (const std::exception& e) {
            outcome = Outcome::Fail (std::string ("an exception escaped: ") + e.what ());
        } catch (...) {
            outcome = Outcome::Fail ("an exception escaped");
        }
        if (outcome.IsOk ())
            outcome = session.RefusedAnswers ();
        if (!outcome.IsOk ()) {
            outcome.message =
                script.fileName + ":" + std::to_string (step.line) + ": " + step.text + ": " + outcome.message;
            return outcome;
        }
    }
    if (const Int32 line = session.FirstUnusedAnswerLine ())
        return Outcome::Fail (script.fileName + ":" + std::to_string (line) +
                              ": the answer was never used: no dialog it fits was shown");
    return Outcome::Ok ();
}

SessionScript DefaultSessionScript ()
{
    SessionScript script;
    std::string error;
    ParseSessionScript ("(first click)", "menu\nprint report\nprint palette\n", &script, &error);
    return script;
}

}   // namespace HostSim
