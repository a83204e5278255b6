#include "platform/fake/FakeServices.h"

FakeServices::FakeServices()
    : m_services{boxes, end, files, folder, drives, settings, instance, screen, pointer, pictures, clock,
                 printer, clipboard, popups, commonDialog, shell, help, diskSpace, localFiles}
{
}
