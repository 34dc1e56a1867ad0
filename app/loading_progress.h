// Progress while pictures are decoded: the wait cursor and "Loading picture
// 3 of 30..." in the frame's status bar, with the window repainting meanwhile.
#pragma once

class CFrameWnd;

// Shows the progress of picture decoding in frame from now on (null: nowhere).
void ShowPictureLoadingIn(CFrameWnd* frame);
// Whether pictures are being loaded now (user input waits until they are).
bool PicturesLoading();
// The window is closed (asking about unsaved changes as ever) once the
// pictures being loaded are in.
void CloseWhenPicturesLoaded();
