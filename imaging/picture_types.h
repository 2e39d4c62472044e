// Which files are pictures: the extensions of every decoder the imaging
// component has on this system, and the metafiles and icons OLE draws.
#pragma once

// ";"-separated extensions with their dots, lower case (".jpg;.jpeg;.png").
// Asked of the system once; later calls return the same list.
const char* PictureExtensions();

// The open dialog's filter: the pictures' patterns, then any file.
const char* OpenDialogFilter();
