#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// The pictures the program ships in "Img": the eight main-window button pictures with
// their highlighted variants ("img1.bmp" ... "img8_2.bmp") and the printed logos.
namespace ShippedPictures {

// Button index 0-7; highlighted gives the "_2" variant.
QImage button(int index, bool highlighted);
QImage logo(bool colour);
// Relative file name of a button picture, e.g. "Img/img3_2.bmp".
QString buttonFile(int index, bool highlighted);

// The file names of every shipped picture in "Img" ("img1.bmp" ... "LogoBN.bmp").
QStringList fileNames();
// The picture shipped under one of those names; a null image for any other name.
QImage picture(const QString& fileName);

} // namespace ShippedPictures
