#pragma once

#include <QImage>
#include <QString>

// The pictures the program ships in "Img": the eight main-window button pictures with
// their highlighted variants ("img1.bmp" ... "img8_2.bmp") and the printed logos.
namespace ShippedPictures {

// Button index 0-7; highlighted gives the "_2" variant.
QImage button(int index, bool highlighted);
QImage logo(bool colour);
// Relative file name of a button picture, e.g. "Img/img3_2.bmp".
QString buttonFile(int index, bool highlighted);

// Writes every shipped picture that is missing in `imgDir`; existing files are never touched.
void writeMissing(const QString& imgDir);

} // namespace ShippedPictures
