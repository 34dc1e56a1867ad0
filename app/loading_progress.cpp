#include "app/loading_progress.h"

#include "imaging/picture_decoder.h"
#include "platform/qt/frame_wnd.h"
#include "platform/qt/wait_cursor.h"
#include "res/resource.h"
#include "res/strings.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <string>

namespace {

bool s_loading = false;
bool s_closeAsked = false;

} // namespace

void ShowPictureLoadingIn(CFrameWnd* frame) {
    if (!frame) {
        SetPictureWaitHook({});
        return;
    }
    SetPictureWaitHook([frame](std::size_t done, std::size_t total) {
        if (done < total) {
            if (!s_loading) {
                s_loading = true;
                BeginWaitCursor();
            }
            frame->SetMessageText("Loading picture " + std::to_string(done + 1) + " of " +
                                  std::to_string(total) + "...");
            // Paint and timer events only: no command can start meanwhile.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        } else if (s_loading) {
            s_loading = false;
            EndWaitCursor();
            frame->SetMessageText(LoadResString(AFX_IDS_IDLEMESSAGE));
            // A close asked for meanwhile goes ahead, with its usual question.
            if (s_closeAsked) {
                s_closeAsked = false;
                QTimer::singleShot(0, frame, [frame] { frame->close(); });
            }
        }
    });
}

bool PicturesLoading() {
    return s_loading;
}

void CloseWhenPicturesLoaded() {
    s_closeAsked = s_loading;
}
