#pragma once

#include <QMutex>
#include <QString>

// What an update reports while it runs: its stages, the items of each stage
// and whether the application must restart afterwards. Update code calls the
// non-virtual operations, possibly from a worker thread; an implementation
// shows them (the progress dialog) or records them (tests).
class UpdateProcessContext
{
public:
    UpdateProcessContext() = default;
    virtual ~UpdateProcessContext() = default;
    UpdateProcessContext(const UpdateProcessContext&) = delete;
    UpdateProcessContext& operator=(const UpdateProcessContext&) = delete;

    // Clears the restart flag, then updateStart().
    void beginUpdate();
    // A new stage: its title, no items announced or begun yet.
    void beginStage(const QString& name);
    // The first item of a stage also announces the stage (updateProgress).
    void beginProcessingItem(const QString& item);
    void finishUpdate();
    void resetProgressCounters();

    // The number of items a handler announces for the current stage.
    void setTotal(int total);
    int total() const;
    int current() const;
    QString stage() const;

    // The level of the operator who started the update; 0 for push updates.
    void setUserLevel(int level);
    int userLevel() const;

    void setRestartRequired(bool required = true);
    bool restartRequired() const;

protected:
    virtual void updateStart() {}
    virtual void updateProgress(const QString& stage) = 0;
    virtual void updateEnd() = 0;
    // item, with the stage's counters at the time of the call.
    virtual void onFileProgress(const QString& item, int current, int total) = 0;

private:
    // The update runs on a worker while the GUI sets the level and reads the flag.
    mutable QMutex m_mutex;
    QString m_stage;
    int m_userLevel = 0;
    int m_total = 0;
    int m_current = 0;
    bool m_restartRequired = false;
};
