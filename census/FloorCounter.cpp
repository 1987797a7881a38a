#include "FloorCounter.h"

#include "census/DatabaseChange.h"
#include "gs/MemoryHandle.h"
#include "host/ACAPI.h"

#include <cstring>

namespace {

constexpr API_WindowTypeID StoryPlanWindow = 1;
constexpr API_WindowTypeID AllStoriesWindow = 4;

// Story number to story index: f is 1 when the numbering skips zero; `zeroAs` is the number a 0
// stands for then (1 at the bottom of a range, -1 at its top).
Int32 StoryIndexOf (Int32 number, Int32 f, Int32 zeroAs)
{
    if (number == 0 && f == 1)
        number = zeroAs;
    if (number > 0)
        number -= f;
    return number;
}

}   // namespace

FloorCounter::FloorCounter (bool allStories, Int32 fromStory, Int32 toStory, bool currentStoryOnly, bool everyStory)
    : allStories (allStories), currentStoryOnly (currentStoryOnly), everyStory (everyStory)
{
    std::memset (&storyInfo, 0, sizeof storyInfo);
    ACAPI_Environment (APIEnv_GetStorySettingsID, &storyInfo);
    BMKillHandle (&storyInfo.data);

    const Int32 f = storyInfo.skipNullFloor != 0 ? 1 : 0;
    firstStoryIndex = StoryIndexOf (fromStory, f, 1);
    lastStoryIndex = StoryIndexOf (toStory, f, -1);
}

bool FloorCounter::IsInEnabledFloor (Int16 storyIndex) const
{
    if (everyStory)
        return true;
    if (currentStoryOnly)
        return storyIndex == storyInfo.actStory;
    if (allStories)
        return true;
    return firstStoryIndex <= storyIndex && storyIndex <= lastStoryIndex;
}

void FloorCounter::MultiFloor (Int16 storyIndex)
{
    if (severalStories)
        return;
    if (storySeen) {
        severalStories = storyIndex != firstStorySeen;
        return;
    }
    storySeen = true;
    firstStorySeen = storyIndex;
}

void FloorCounter::Change ()
{
    if (severalStories) {
        ChangeWindow (AllStoriesWindow);
        KillOldSelection ();
        return;
    }
    if (IsActive (AllStoriesWindow))
        ChangeWindow (StoryPlanWindow);
    if (storySeen) {
        API_StoryCmdType cmd;
        std::memset (&cmd, 0, sizeof cmd);
        cmd.action = 0;
        cmd.index = firstStorySeen;
        ACAPI_Environment (APIEnv_ChangeStorySettingsID, &cmd);
    }
}

bool FloorCounter::IsActive (API_WindowTypeID windowType)
{
    API_WindowInfo window;
    std::memset (&window, 0, sizeof window);
    ACAPI_Database (APIDb_GetCurrentWindowID, &window);
    return window.typeID == windowType;
}

void FloorCounter::ChangeWindow (API_WindowTypeID windowType)
{
    API_WindowInfo window;
    std::memset (&window, 0, sizeof window);
    window.typeID = windowType;
    ACAPI_Automate (APIDo_ChangeWindowID, &window);
}
