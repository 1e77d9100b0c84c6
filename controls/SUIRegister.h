#pragma once
// Makes every skinned control known to stored layouts by class name, with
// the framework's classes and the skin library's components they stand on.
// Calling it again does nothing.
void RegisterSkinnedControls();
