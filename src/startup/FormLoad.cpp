#include "mainwindow/Form1.h"

#include "startup/MediaLocation.h"
#include "programwide/ProgramState.h"

bool Form1::Form_Load()
{
    // 1-2. The media and the local library (prompts until found or cancelled).
    if (!LocateMedia(m_g, m_s))
        return false;
    // 3. Size and place the window.
    SizeAndPlaceWindow();
    // 4. Normal view.
    m_g.ZoomState = QStringLiteral("1");
    return true;
}
