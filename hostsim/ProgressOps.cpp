// Table entries for the progress window and undoable operations, and the host's undo stack.
#include "Host.h"

#include <cstdio>
#include <unistd.h>

namespace HostSim {

namespace {

constexpr Int32 TerminalBarWidth = 30;

bool ErrorStreamIsTerminal ()
{
    return isatty (STDERR_FILENO) != 0;
}

// Redraws the window's line in place; nothing when the error stream is not a terminal.
void Draw (const ProgressWindow& window)
{
    if (!ErrorStreamIsTerminal ())
        return;
    std::fprintf (stderr, "\r%s\x1b[K", window.Render (TerminalBarWidth).c_str ());
    std::fflush (stderr);
}

// 'IPWD': par1 the title (zero-terminated), par2 the phase count (Int16*). Opening an open window
// starts it afresh.
GSErrCode InitProcessWindow (Host& host, AddonClient&, void* par1, void* par2)
{
    ProgressWindow& window = host.progress;
    window.open = true;
    window.title = par1 != nullptr ? static_cast<const char*> (par1) : "";
    window.phaseText.clear ();
    window.phaseCount = par2 != nullptr ? *static_cast<const Int16*> (par2) : 1;
    window.maximum = 0;
    window.value = 0;
    window.polls = 0;
    window.canceled = false;
    window.values.clear ();
    ++window.timesOpened;
    Draw (window);
    return NoError;
}

// 'SPRP': par1 the phase text, par2 the bar's maximum (Int32*). Needs an open window.
GSErrCode SetProcessPhase (Host& host, AddonClient&, void* par1, void* par2)
{
    ProgressWindow& window = host.progress;
    if (!window.open)
        return APIERR_GENERAL;
    if (par2 == nullptr)
        return APIERR_BADPARS;
    window.phaseText = par1 != nullptr ? static_cast<const char*> (par1) : "";
    window.maximum = *static_cast<const Int32*> (par2);
    window.value = 0;
    Draw (window);
    return NoError;
}

// 'SPRV': par1 the bar value (Int32*). Needs an open window.
GSErrCode SetProcessValue (Host& host, AddonClient&, void* par1, void*)
{
    ProgressWindow& window = host.progress;
    if (!window.open)
        return APIERR_GENERAL;
    if (par1 == nullptr)
        return APIERR_BADPARS;
    window.value = *static_cast<const Int32*> (par1);
    window.values.push_back (window.value);
    Draw (window);
    return NoError;
}

// 'CANC': the answer itself says whether the user asked to stop (non-zero) or not (0). A closed
// window has nothing to cancel.
GSErrCode IsProcessCanceled (Host& host, AddonClient&, void*, void*)
{
    ProgressWindow& window = host.progress;
    if (!window.open)
        return NoError;
    ++window.polls;
    if (window.cancelAtPoll > 0 && window.polls >= window.cancelAtPoll) {
        window.canceled = true;
        window.cancelAtPoll = 0;
    }
    return window.canceled ? 1 : NoError;
}

// 'CPWD': closes the window; closing a closed window changes nothing.
GSErrCode CloseProcessWindow (Host& host, AddonClient&, void*, void*)
{
    ProgressWindow& window = host.progress;
    if (window.open && ErrorStreamIsTerminal ()) {
        std::fputc ('\n', stderr);
        std::fflush (stderr);
    }
    window.open = false;
    return NoError;
}

GSErrCode OpenUndoableSession (API_Client c, const char* name)
{
    Host& host = Host::Of (c);
    if (GSErrCode e = host.failures.Check ("ACAPI_OpenUndoableSession"))
        return e;
    if (host.undoDepth++ == 0)
        host.undoStack.push_back (UndoStep{name != nullptr ? name : "", {}});
    return NoError;
}

GSErrCode CloseUndoableSession (API_Client c)
{
    Host& host = Host::Of (c);
    if (GSErrCode e = host.failures.Check ("ACAPI_CloseUndoableSession"))
        return e;
    if (host.undoDepth == 0)
        return APIERR_GENERAL;
    if (--host.undoDepth == 0) {
        ++host.undoOperations;
        if (host.undoStack.back ().reverts.empty ())
            host.undoStack.pop_back ();
    }
    return NoError;
}

}   // namespace

std::string ProgressWindow::Render (Int32 width) const
{
    if (width < 1)
        width = 1;
    Int32 shown = value < 0 ? 0 : value;
    if (shown > maximum)
        shown = maximum > 0 ? maximum : 0;
    const Int32 filled = maximum > 0 ? static_cast<Int32> (static_cast<Int64> (shown) * width / maximum) : 0;
    std::string line = title;
    if (!phaseText.empty ())
        line += (line.empty () ? "" : ": ") + phaseText;
    line += " [";
    line.append (static_cast<size_t> (filled), '#');
    line.append (static_cast<size_t> (width - filled), ' ');
    line += "] " + std::to_string (shown) + "/" + std::to_string (maximum > 0 ? maximum : 0);
    return line;
}

void Host::RecordUndo (std::function<void (Project&)> revert)
{
    if (undoDepth == 0)
        undoStack.push_back (UndoStep{});
    undoStack.back ().reverts.push_back (std::move (revert));
}

bool Host::Undo ()
{
    if (undoDepth > 0 || undoStack.empty ())
        return false;
    UndoStep step = std::move (undoStack.back ());
    undoStack.pop_back ();
    for (auto it = step.reverts.rbegin (); it != step.reverts.rend (); ++it)
        (*it) (project);
    return true;
}

void InstallProgressOps (Host& host, API_HostTable& table)
{
    table.openUndoableSession = &OpenUndoableSession;
    table.closeUndoableSession = &CloseUndoableSession;
    host.RegisterSelector (OpGroup::Interface, APIIo_InitProcessWindowID, &InitProcessWindow);
    host.RegisterSelector (OpGroup::Interface, APIIo_SetProcessPhaseID, &SetProcessPhase);
    host.RegisterSelector (OpGroup::Interface, APIIo_SetProcessValueID, &SetProcessValue);
    host.RegisterSelector (OpGroup::Interface, APIIo_IsProcessCanceledID, &IsProcessCanceled);
    host.RegisterSelector (OpGroup::Interface, APIIo_CloseProcessWindowID, &CloseProcessWindow);
}

}   // namespace HostSim
