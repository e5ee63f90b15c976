#include "ImageStrip.h"

int AppendImageStrip(HIMAGELIST& images, HINSTANCE instance, UINT bitmapId, int count) {
    const HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == nullptr || count <= 0) {
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
        }
        return -1;
    }
    BITMAP info;
    GetObjectW(bitmap, sizeof info, &info);
    if (images == nullptr) {
        const int size = info.bmWidth / count;
        images = ImageList_Create(size, info.bmHeight, ILC_COLOR24 | ILC_MASK, count, 8);
    }
    const int first = ImageList_GetImageCount(images);
    ImageList_AddMasked(images, bitmap, kStripTransparent);
    DeleteObject(bitmap);
    return first;
}
