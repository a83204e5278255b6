// The two rich-text documents of the media: the notice on the collection and
// the registration form. Both keep to the plain core of RTF (fonts, colours,
// bold/italic/underline, sizes, alignment, tabs and line breaks) so that any
// RTF reader shows them the same way.

#include "MediaGen.h"

namespace mediagen {

namespace {

const char kHeader[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\n"
    "{\\fonttbl{\\f0\\froman\\fcharset0 DejaVu Serif;}{\\f1\\fswiss\\fcharset0 DejaVu Sans;}}\n"
    "{\\colortbl;\\red0\\green0\\blue0;\\red138\\green28\\blue28;\\red29\\green46\\blue92;}\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs24\n";

} // namespace

QByteArray noticeRtf()
{
    QByteArray rtf(kHeader);
    rtf +=
        "\\qc\\cf2\\b\\fs40 VantorraAds\\b0\\par\n"
        "\\cf3\\i\\fs28 Automobile advertising of the model years 1950 to 1969\\i0\\par\n"
        "\\cf1\\fs24\\par\n"
        "\\ql\\b About this collection\\b0\\par\n"
        "This collection brings together advertisements for passenger cars as they appeared in "
        "popular magazines of the fifties and sixties. Each page was scanned from a printed copy "
        "and is shown as it was published, with the colours and the wear of the paper.\\par\n"
        "\\par\n"
        "\\b How to browse\\b0\\par\n"
        "\\tab 1.\\tab Choose a parent company, then one of its makes.\\line\n"
        "\\tab 2.\\tab Pick a model year from 1950 to 1969. Years without advertisements for the "
        "chosen make cannot be selected.\\line\n"
        "\\tab 3.\\tab Step through the advertisements of that year one by one, or view them as "
        "a slide show.\\par\n"
        "\\par\n"
        "\\b Copyright\\b0\\par\n"
        "The copyright in every advertisement remains with its original publisher and advertiser. "
        "The scans are offered for \\ul personal, non-commercial use\\ulnone{} only: for research, "
        "restoration, study and enjoyment. Do not sell, republish or distribute the pictures "
        "without the permission of the rights holders.\\par\n"
        "\\par\n"
        "\\b Printing\\b0\\par\n"
        "You may print single advertisements for your own use. For best results print on letter "
        "size paper in portrait orientation.\\par\n"
        "\\par\n"
        "\\b Registration\\b0\\par\n"
        "Please print and return the registration form so that we can tell you about new volumes "
        "of the collection.\\par\n"
        "\\par\n"
        "\\qc\\i\\fs20 Thank you for keeping the automobile history of these years alive.\\i0\\par\n"
        "}\n";
    return rtf;
}

QByteArray registerRtf()
{
    QByteArray rtf(kHeader);
    const char line[] = "\\tab\\ul\\tab\\tab\\tab\\tab\\tab\\tab\\ulnone\\par\n";
    rtf +=
        "\\qc\\cf2\\b\\fs36 VantorraAds Registration Form\\b0\\par\n"
        "\\cf1\\i\\fs22 Print this page, fill it in and mail it to us.\\i0\\par\n"
        "\\fs24\\par\n"
        "\\ql\\tx2600\\tx3600\\tx4600\\tx5600\\tx6600\\tx7600\\tx8600\n";
    for (const char* field : {"Name:", "Address:", "City/State/Zip:", "E-mail:", "Where purchased:"}) {
        rtf += "\\b ";
        rtf += field;
        rtf += "\\b0";
        rtf += line;
        rtf += "\\par\n";
    }
    rtf += "\\b Comments:\\b0";
    rtf += line;
    rtf += "\\par\n";
    for (int i = 0; i < 3; ++i) {
        rtf += line;
        rtf += "\\par\n";
    }
    rtf +=
        "\\b Which makes interest you most?\\b0\\par\n"
        "\\tab [  ] Vantorra\\tab [  ] Halvern\\tab [  ] KT\\tab [  ] Other makes\\par\n"
        "\\par\n"
        "\\qc\\i\\fs20 Your details are used only to tell you about the collection. "
        "We never pass them on.\\i0\\par\n"
        "}\n";
    return rtf;
}

} // namespace mediagen
