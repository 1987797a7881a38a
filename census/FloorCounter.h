// FloorCounter: the story scope of a census or a selection run. It turns the story numbers the
// user typed into story indexes (with the host's numbering that skips zero), tells whether a
// story index is in scope, records on which stories the chosen elements lie, and afterwards
// brings up the window or story that shows them.
//
// Story numbers: with the numbering flag clear they equal story indexes. With it set, the story at
// index i >= 0 is number i + 1 and number 0 does not exist; so a range that starts at 0 starts at
// number 1 and a range that ends at 0 ends at number -1, and negative numbers are indexes already.
//
// The current story is the one at construction. The story list the host hands out is released at
// once; host failures are not looked at (a failed story query reads as story 0, flag clear).
// Host main thread only.
#pragma once

#include "api/APIdefs.h"

class FloorCounter {
public:
    FloorCounter (bool allStories, Int32 fromStory, Int32 toStory, bool currentStoryOnly, bool everyStory);

    bool IsInEnabledFloor (Int16 storyIndex) const;
    // Records the story of a chosen element.
    void MultiFloor (Int16 storyIndex);
    // Shows the chosen elements: the all-stories view (window 4, old selection dropped) when they
    // lie on several stories, else the story plan (window 1) at the story of the first one.
    void Change ();

    static bool IsActive (API_WindowTypeID windowType);
    static void ChangeWindow (API_WindowTypeID windowType);

    bool allStories;
    Int32 firstStoryIndex;
    Int32 lastStoryIndex;
    API_StoryInfo storyInfo;   // current story and numbering flag; no story list
    bool currentStoryOnly;
    bool severalStories = false;
    Int16 firstStorySeen = 0;
    bool storySeen = false;
    bool everyStory;
};
