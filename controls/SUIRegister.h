#pragma once
// Makes every skinned control known to stored layouts by class name, with
// the framework's classes and the skin library's components they stand on.
// Calling it again does nothing. What each class publishes, and in which
// order, is only in its DeclarePublished.
void RegisterSkinnedControls();
