#include "RollDownDialogGeneralPage1.h"

#include "gs/MemoryHandle.h"
#include "host/ACAPI.h"
#include "host/ResourceModuleLock.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr Int16 TextsResID = 142;
enum Text : Int32 {
    WideRangeLabel = 1,
    LayoutThreshold = 2,
    TitlePrefix = 3,
    TitleThreshold = 4,
    TitleAll = 5,
    TitleSingle = 6,
    TitleFrom = 7,
    TitleTo = 8
};

// A story index as the user numbers it: indexes from 0 up shift by the numbering flag.
Int32 StoryNumber (Int16 index, Int32 numberingFlag)
{
    return index < 0 ? index : index + numberingFlag;
}

GS::String Number (Int32 value)
{
    char text[16];
    std::snprintf (text, sizeof text, "%d", static_cast<int> (value));
    return GS::String (text);
}

}   // namespace

RollDownDialogGeneralPage1::RollDownDialogGeneralPage1 (const DG::TabControl& tabControl)
    : RollDownDialogGeneralPage (tabControl, ResourceId), allStoriesRadio (GetReference (), 1),
      rangeRadio (GetReference (), 2), fromEdit (GetReference (), 3), rangeText (GetReference (), 4),
      toEdit (GetReference (), 5)
{
    API_StoryInfo storyInfo;
    std::memset (&storyInfo, 0, sizeof storyInfo);
    if (ACAPI_Environment (APIEnv_GetStorySettingsID, &storyInfo) == NoError) {
        const Int32 numberingFlag = storyInfo.skipNullFloor != 0 ? 1 : 0;
        firstStory = StoryNumber (storyInfo.firstStory, numberingFlag);
        lastStory = StoryNumber (storyInfo.lastStory, numberingFlag);
    }
    BMKillHandle (&storyInfo.data);

    fromEditTop = fromEdit.GetRect ().top;
    toEditTop = toEdit.GetRect ().top;
    fromEdit.SetValue (firstStory);
    toEdit.SetValue (lastStory);
    allStoriesRadio.Select ();
    allStoriesRadio.Attach (*this);
    rangeRadio.Attach (*this);
    fromEdit.Attach (*this);
    toEdit.Attach (*this);
}

RollDownDialogGeneralPage1::~RollDownDialogGeneralPage1 ()
{
    allStoriesRadio.Detach (*this);
    rangeRadio.Detach (*this);
    fromEdit.Detach (*this);
    toEdit.Detach (*this);
}

void RollDownDialogGeneralPage1::PanelOpened (const DG::PanelOpenEvent&)
{
    fromEdit.Disable ();
    toEdit.Disable ();
}

void RollDownDialogGeneralPage1::RadioItemChanged (const DG::RadioItemChangeEvent&)
{
    const bool range = !allStoriesRadio.IsSelected ();
    fromEdit.SetStatus (range);
    toEdit.SetStatus (range);
    ChangeTitle ();
}

void RollDownDialogGeneralPage1::IntEditChanged (const DG::IntEditChangeEvent& ev)
{
    if (ev.GetSource () == &fromEdit && fromEdit.GetValue () > toEdit.GetValue ())
        fromEdit.SetValue (ev.GetPreviousValue ());
    else if (ev.GetSource () == &toEdit && toEdit.GetValue () < fromEdit.GetValue ())
        toEdit.SetValue (ev.GetPreviousValue ());
    ChangeTitle ();
}

void RollDownDialogGeneralPage1::PanelResized (const DG::PanelResizeEvent& ev)
{
    if (!IsOwnEvent (ev))
        return;
    ResourceModuleLock lock;
    const Int16 threshold = ResourceNumber (TextsResID, LayoutThreshold);
    const bool wide = static_cast<Int16> (GetWidth ()) >= threshold;

    BeginMoveResizeItems ();
    const DG::Rect radio = rangeRadio.GetRect ();
    rangeRadio.SetText (wide ? ResourceText (TextsResID, WideRangeLabel) : GS::String ());
    rangeRadio.SetRect (DG::Rect{radio.left, radio.top, wide ? 110 : 18, 18});
    // The wide layout leaves room for the radio's label.
    fromEdit.SetRect (DG::Rect{wide ? 127 : 30, fromEditTop - 1, 35, 18});
    rangeText.SetRect (DG::Rect{wide ? 170 : 73, rangeText.GetRect ().top, 20, 18});
    toEdit.SetRect (DG::Rect{wide ? 200 : 103, toEditTop - 1, 35, 18});
    EndMoveResizeItems ();

    ChangeTitle ();
}

void RollDownDialogGeneralPage1::ChangeTitle ()
{
    ResourceModuleLock lock;
    GS::String title;
    bool hasPrefix = false;
    const GS::String prefix = ResourceText (TextsResID, TitlePrefix, &hasPrefix);
    if (hasPrefix) {
        title = prefix;
        bool found = false, foundTo = false;
        if (allStoriesRadio.IsSelected ()) {
            const GS::String all = ResourceText (TextsResID, TitleAll, &found);
            if (found)
                title += all;
        } else if (fromEdit.GetValue () == toEdit.GetValue ()) {
            const GS::String single = ResourceText (TextsResID, TitleSingle, &found);
            if (found)
                title += single + Number (fromEdit.GetValue ());
        } else {
            const GS::String from = ResourceText (TextsResID, TitleFrom, &found);
            const GS::String to = ResourceText (TextsResID, TitleTo, &foundTo);
            if (found && foundTo)
                title += from + Number (fromEdit.GetValue ()) + to + Number (toEdit.GetValue ());
        }
    }
    const Int16 threshold = ResourceNumber (TextsResID, TitleThreshold);
    if (static_cast<Int16> (GetWidth ()) > threshold && hasPrefix)
        title = prefix;
    SetRollPanelTitle (0, title);
}
