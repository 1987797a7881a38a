#include "UserAgent.h"

namespace DG {

namespace {

UserAgent*& Installed ()
{
    static UserAgent* agent = nullptr;
    return agent;
}

}   // namespace

UserAgent::~UserAgent ()
{
    if (Installed () == this)
        Installed () = nullptr;
}

void UserAgent::DialogShown (const Panel&) {}

void UserAgent::DialogClosed (const Panel&, ModalResponse) {}

UserAgent* SetUserAgent (UserAgent* agent)
{
    UserAgent* previous = Installed ();
    Installed () = agent;
    return previous;
}

UserAgent* GetUserAgent ()
{
    return Installed ();
}

}   // namespace DG
