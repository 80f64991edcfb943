#include "app/appform.h"

#include "platform/runningprogram.h"
#include "processing/conversion.h"
#include "processing/conversionresult.h"
#include "processing/memolog.h"
#include "processing/waitingwindow.h"

ConversionOutcome TAppForm::FFmpegIleDonustur(const QString &Infile, const QString &Outfile)
{
    try {
        MemoLog log(MemoCMD);
        WaitingWindow waiting(this);
        return convertWithFFmpeg(Infile, Outfile, silenceSettings(), platform::programFolder(), log,
                                 [&waiting] { waiting.keepAlive(); });
    } catch (const std::exception &error) {
        return {conversionError, QString::fromUtf8(error.what())};
    }
}
