#include "editor/Events.h"

#include "editor/ChangeMarks.h"
#include "editor/Transaction.h"

namespace vnt {

namespace {

Error toError(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const Error& e) {
        return e;
    } catch (const std::exception& e) {
        return Error(err::InvalidCall, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return Error(err::InvalidCall, QStringLiteral("Unknown failure"));
    }
}

struct DepthGuard {
    explicit DepthGuard(EditorContext& c) : ctx(c) { ++ctx.handlerDepth; }
    ~DepthGuard() { --ctx.handlerDepth; }
    EditorContext& ctx;
};

} // namespace

void reportError(EditorContext& ctx, const Error& error)
{
    ctx.dialogs.ask(QStringLiteral("Error"), QStringLiteral("Error %1: %2").arg(error.number()).arg(error.description()),
                    Buttons::Ok, Icon::Critical);
}

void runHandler(EditorContext& ctx, const Handler& handler)
{
    Transaction transaction(ctx);
    std::exception_ptr failure;
    {
        DepthGuard guard(ctx);
        try {
            handler(ctx);
        } catch (...) {
            failure = std::current_exception();
        }
    }
    ctx.nestedFailure = nullptr;
    if (!failure) {
        ShowChangeMarks(ctx);
        return;
    }
    Error error = toError(failure);
    const QString notPutBack = transaction.rollback();
    ShowChangeMarks(ctx);
    if (!notPutBack.isEmpty())
        error = Error(error.number(), error.description() + QChar(13) + notPutBack, error.source());
    reportError(ctx, error);
}

void runChangeHandler(EditorContext& ctx, const Handler& handler)
{
    if (ctx.handlerDepth == 0) {
        runHandler(ctx, handler);
        return;
    }
    // Nested inside a handler that set the selection from code: let selectSkill
    // raise the failure in that handler instead of reporting it twice.
    try {
        DepthGuard guard(ctx);
        handler(ctx);
    } catch (...) {
        if (!ctx.nestedFailure)
            ctx.nestedFailure = std::current_exception();
    }
}

void selectSkill(EditorContext& ctx, int index)
{
    DepthGuard guard(ctx);
    ctx.controls.setSkillIndex(index);
    if (ctx.nestedFailure) {
        std::exception_ptr failure = ctx.nestedFailure;
        ctx.nestedFailure = nullptr;
        std::rethrow_exception(failure);
    }
}

} // namespace vnt
