-- Golf players by locker: every visit of the day gets the next sequence
-- number of its locker; the golf front desk settles a visit at the end of the
-- round. While the front desk is settling a visit it holds a row in
-- golf_front_settlement, and outlets may not charge the locker meanwhile.

CREATE TABLE golf_locker_visit (
    sale_date  yyyymmdd NOT NULL,
    locker_no  text NOT NULL,
    seq        integer NOT NULL,
    member_no  text NOT NULL DEFAULT '',
    come_name  text NOT NULL,
    come_time  text NOT NULL CHECK (come_time ~ '^([01][0-9]|2[0-3]):[0-5][0-9]$'),  -- "hh:nn"
    settled_yn char(1) NOT NULL DEFAULT 'N' CHECK (settled_yn IN ('Y', 'N')),
    PRIMARY KEY (sale_date, locker_no, seq)
);

CREATE TABLE golf_front_settlement (
    sale_date  yyyymmdd NOT NULL,
    locker_no  text NOT NULL,
    seq        integer NOT NULL,
    emp_no     text NOT NULL DEFAULT '',
    started_at timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, locker_no, seq),
    FOREIGN KEY (sale_date, locker_no, seq) REFERENCES golf_locker_visit ON DELETE CASCADE
);
