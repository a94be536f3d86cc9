#pragma once

// What a finished activity hands back to the activity below it.
class ActivityResult
{
public:
    enum Status {
        NoResult = 0,
        HasResult = 1,
        Aborted = 2,
    };

    ActivityResult(int value, Status status);
    virtual ~ActivityResult();

    Status status() const { return m_status; }
    int value() const { return m_value; }

    bool operator==(const ActivityResult& other) const
    {
        return m_status == other.m_status && m_value == other.m_value;
    }
    bool operator!=(const ActivityResult& other) const { return !(*this == other); }

    static const ActivityResult NO_RESULT;
    static const ActivityResult HAS_RESULT;
    static const ActivityResult ABORT;

private:
    Status m_status;
    int m_value;
};
