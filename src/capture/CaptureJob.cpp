#include "capture/CaptureJob.h"

#include "capture/BmpWriter.h"
#include "capture/CaptureNaming.h"
#include "capture/JpegWriter.h"
#include "res/StringIds.h"

CaptureResult RunCaptureJob(CCaptureJob& job)
{
    job.strOutputPath = MakeCaptureFilePath(job.strSourcePath, job.strFolder, job.nFormat);
    if (job.strOutputPath.isEmpty())
        return CAPTURE_ERR_FILENAME;
    if (job.nFormat == SAVE_FORMAT_JPEG)
        return WriteJpegFile(job.strOutputPath, job.image, job.nQuality) ? CAPTURE_OK : CAPTURE_ERR_JPEG;
    return WriteBmpFile(job.strOutputPath, job.image) ? CAPTURE_OK : CAPTURE_ERR_BMP;
}

int CaptureFailureStringId(qintptr lParam)
{
    switch (lParam) {
    case CAPTURE_ERR_FILENAME:
        return IDS_STILL_NAME_FAILED;
    case CAPTURE_ERR_BMP:
        return IDS_BMP_SAVE_FAILED;
    case CAPTURE_ERR_JPEG:
        // The user must not take a failed JPEG for a saved one.
        return IDS_JPEG_SAVE_FAILED;
    default:
        return 0;
    }
}
